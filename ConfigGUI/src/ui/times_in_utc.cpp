#include "ui/times_in_utc.h"

#include "platform/settings_store.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui_frmTevoHadraConfig.h"

#include <QAction>
#include <QMenu>

namespace {
const QString kSetting = QStringLiteral("TimesInUTC");
}

void addTimesInUtcEntry(frmTevoHadraConfig &w)
{
    auto *entry = new QAction(QStringLiteral("Times in &UTC"), &w);
    entry->setObjectName(QStringLiteral("mnuUtilitiesTimesInUTC"));
    entry->setCheckable(true);
    entry->setChecked(timesInUtc());
    w.ui->mnuUtilities->addAction(entry);
    QObject::connect(entry, &QAction::toggled, &w, [](bool utc) {
        platform::saveSetting(kSetting, utc ? QStringLiteral("True") : QStringLiteral("False"));
    });
}

bool timesInUtc()
{
    return platform::loadSetting(kSetting) == QLatin1String("True");
}
