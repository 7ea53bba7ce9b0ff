#pragma once
// The signal-strength threshold combo: the factory setting is changed only after a Yes to
// "Are you sure...", and typed text that is not a threshold is refused when the combo is left.
#include <QObject>

class frmTevoHadraConfig;

namespace monitor {

// The thresholds the unit takes.
constexpr int kMinimumThreshold = 0;
constexpr int kMaximumThreshold = 65;

class RssiThreshold : public QObject
{
public:
    explicit RssiThreshold(frmTevoHadraConfig &w);

    // Asks before the combo's new text is accepted; No puts the last accepted one back.
    void confirmChange();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onEditingFinished();

    frmTevoHadraConfig &w_;
};

} // namespace monitor
