#pragma once
// An error raised by the serial port control: a number and a description that the
// callers show to the operator.
#include <QString>
#include <stdexcept>

namespace session {

class SerialError : public std::runtime_error
{
public:
    // Numbers of the errors the control raises.
    enum Number
    {
        InvalidPropertyValue = 380,
        InvalidPortNumber = 8002,
        PortAlreadyOpen = 8005,
        PortNotOpen = 8018,
        PortUnavailable = 8012,
    };

    SerialError(int number, const QString &description)
        : std::runtime_error(description.toStdString()), number_(number), description_(description)
    {}

    int number() const { return number_; }
    const QString &description() const { return description_; }

private:
    int number_;
    QString description_;
};

} // namespace session
