#include "dialogs/select_on_entry.h"

#include <QEvent>
#include <QLineEdit>
#include <QTimer>

namespace {

class SelectOnEntry : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn) {
            // After the focus change has placed the cursor.
            if (auto *field = qobject_cast<QLineEdit *>(watched))
                QTimer::singleShot(0, field, &QLineEdit::selectAll);
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void selectAllOnEntry(QLineEdit *field)
{
    field->installEventFilter(new SelectOnEntry(field));
}
