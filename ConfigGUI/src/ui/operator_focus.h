#pragma once
// Whether a focus event is the operator entering or leaving a field. Focus that goes with
// the window (a message box opening, the window coming back) or to a list popping up is
// not: rules that run on entering or leaving a field ignore it.
#include <QFocusEvent>

inline bool focusMovedByOperator(const QEvent *event)
{
    const Qt::FocusReason reason = static_cast<const QFocusEvent *>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}
