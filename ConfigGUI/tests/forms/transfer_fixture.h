#pragma once
// A window connected to the simulated unit with its configuration transfer: runs whole
// retrievals and updates and reports what the unit received and the transfer window showed.
#include "forms/configuration_transfer.h"
#include "session_fixture.h"
#include "dialogs/frmUploadStatus.h"

#include <QTreeWidget>
#include <ostream>

// Failed comparisons show the text.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

class TransferFixture : public SessionFixture
{
protected:
    // Starts the unit and the window; retrieval ticks come every millisecond.
    void startUnit(unitsim::UnitOptions options = {});
    // Starts the unit, connects, logs in and retrieves; then forgets the boxes shown so far
    // and notes in `before` how many command lines the unit has received.
    void connectAndRetrieve(Transport transport = Transport::Telnet, unitsim::UnitOptions options = {});

    forms::ConfigurationTransfer &transfer();
    // Starts a retrieval and waits until its snapshot is taken.
    bool retrieve();
    // Starts an update and waits until it is over (the transfer window may be closed).
    bool update();
    // Waits until no retrieval or update runs.
    bool transferIdle(int timeoutMs = 60000);

    // Command lines the unit received from the `from`th on.
    QStringList commandsFrom(int from) const { return commandLines().mid(from); }
    int commandCount() const { return int(commandLines().size()); }

    // The transfer window's rows: message, state and picture.
    struct Row
    {
        QString message;
        QString state;
        QString picture;
        bool operator==(const Row &) const = default;
    };
    QList<Row> rows() const;

    int before = 0;
};

// The forty-six read commands of a retrieval, in order.
QStringList retrievalCommands();

// Adds an item to a list view, as the list editors do.
void addListItem(QTreeWidget *list, const QStringList &fields);
// Removes the first item whose text is `text`; false when there is none.
bool removeListItem(QTreeWidget *list, const QString &text);
