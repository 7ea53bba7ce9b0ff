#include "forms/update_review_dialog.h"

#include "dialogs/frmReviewUpdate.h"
#include "platform/settings_store.h"

namespace forms {

namespace {
const QString kReviewKey = QStringLiteral("ReviewUpdates");
} // namespace

bool reviewWanted()
{
    return platform::loadSetting(kReviewKey, QStringLiteral("1")) != QLatin1String("0");
}

void setReviewWanted(bool wanted)
{
    platform::saveSetting(kReviewKey, wanted ? QStringLiteral("1") : QStringLiteral("0"));
}

bool reviewAccepted(QWidget &parent, const QList<ReviewRow> &rows)
{
    frmReviewUpdate review(parent);
    for (const ReviewRow &row : rows)
        review.addRow(row.tab, row.setting, reviewValue(row.retrieved), reviewValue(row.toWrite));
    return review.exec() == QDialog::Accepted;
}

} // namespace forms
