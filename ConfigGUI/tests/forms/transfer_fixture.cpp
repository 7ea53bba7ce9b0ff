#include "transfer_fixture.h"

#include "ui_frmTevoHadraConfig.h"
#include "ui_frmUploadStatus.h"

#include <QTimer>

void TransferFixture::startUnit(unitsim::UnitOptions options)
{
    options.rebootDelay = std::chrono::milliseconds(20);
    // Updates write without the review, as most tests here check the writes themselves;
    // the review has tests of its own.
    forms::setReviewWanted(false);
    start(options);
    w->tmrSlowImport->setInterval(1);
}

void TransferFixture::connectAndRetrieve(Transport transport, unitsim::UnitOptions options)
{
    startUnit(options);
    ASSERT_TRUE(connectAndLogIn(transport));
    ASSERT_TRUE(retrieve());
    boxes.clear();
    before = commandCount();
}

forms::ConfigurationTransfer &TransferFixture::transfer()
{
    return w->configurationTransfer();
}

bool TransferFixture::transferIdle(int timeoutMs)
{
    return waitForCondition([this] { return !transfer().isBusy(); }, timeoutMs);
}

bool TransferFixture::retrieve()
{
    transfer().StartRetrieval();
    return transferIdle() && transfer().retrievedRecord.has_value();
}

bool TransferFixture::update()
{
    transfer().UpdateConfiguration();
    return transferIdle();
}

QList<TransferFixture::Row> TransferFixture::rows() const
{
    QList<Row> shown;
    const frmUploadStatus *status = w->configurationTransfer().uploadStatus;
    if (!status)
        return shown;
    for (int row = 0; row < status->entryCount(); ++row)
        shown.append({status->ui->lviewUpdates->topLevelItem(row)->text(0), status->entryState(row),
                      status->entryPicture(row)});
    return shown;
}

QStringList retrievalCommands()
{
    return {"Get 01",   "Get 01",  "Get 02",     "Get 03",   "Get 04",   "Get 05",  "Get 10",  "Get 11",
            "Get 12",   "Get 13",  "Get 14",     "Get 15",   "Get 16",   "Get 17",  "Get 18",  "Get 19",
            "Get 1B",   "Get 1C",  "Get 29",     "Get 41",   "Get 42",   "Get 43",  "Get 44",  "Get 45",
            "Get 46",   "Get 47",  "Get 48",     "Table 5",  "Get 4A",   "Table 1", "Table 2", "Table 3",
            "Table 4",  "Table 8", "Table 6",    "Table 11", "Table 12", "Get 52",  "Table 9", "Get 30",
            "Table 10", "Get 58",  "Capability", "Get 34",   "Get 33",   "IP RIP"};
}

void addListItem(QTreeWidget *list, const QStringList &fields)
{
    new QTreeWidgetItem(list, fields);
}

bool removeListItem(QTreeWidget *list, const QString &text)
{
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (list->topLevelItem(i)->text(0) == text) {
            delete list->takeTopLevelItem(i);
            return true;
        }
    }
    return false;
}
