#include "monitor/link_log.h"

#include "monitor/link_log_format.h"
#include "monitor/monitors.h"
#include "monitor/per_monitor.h"
#include "monitor/rssi_monitor.h"
#include "session/handler_boundary.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui_frmTevoHadraConfig.h"
#include "widgets/strip_chart.h"

#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>

namespace monitor {

namespace {

constexpr int kFallbackSeconds = 5;

} // namespace

QString defaultLinkLogPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/log/link.log");
}

LinkLog::LinkLog(frmTevoHadraConfig &w, Monitors &monitors) : w_(w), monitors_(monitors)
{
    Ui::frmTevoHadraConfig &ui = *w_.ui;
    const QString path = defaultLinkLogPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    ui.txtLogFileName->setText(QDir::toNativeSeparators(path));
    lastGoodSeconds_ = ui.txtLogSeconds->text();

    QObject::connect(w_.optionGroup(QStringLiteral("optDataLogging")), &QButtonGroup::idClicked, &w_,
                     [this](int option) { session::guarded(w_, [&] { onSwitch(option); }); });
    QObject::connect(ui.cmdBrowseLogFile, &QPushButton::clicked, &w_,
                     [this] { session::guarded(w_, [this] { browse(); }); });
    QObject::connect(ui.txtLogSeconds, &QLineEdit::editingFinished, &w_,
                     [this] { session::guarded(w_, [this] { onSecondsEdited(); }); });
    QObject::connect(w_.tmrDataLogging, &QTimer::timeout, &w_,
                     [this] { session::guarded(w_, [this] { writeEntry(); }); });
    enableControls(selected());
}

bool LinkLog::selected() const
{
    return w_.option(QStringLiteral("optDataLogging"), 1)->isChecked();
}

void LinkLog::enableControls(bool enabled)
{
    Ui::frmTevoHadraConfig &ui = *w_.ui;
    for (QWidget *control : std::initializer_list<QWidget *>{
             ui.lblLogEvery, ui.lblLogSeconds, ui.lblLogFileName, ui.txtLogSeconds, ui.cmdBrowseLogFile})
        control->setEnabled(enabled);
}

void LinkLog::onSwitch(int option)
{
    enableControls(option == 1);
    if (option == 1)
        start();
    else
        stop();
}

void LinkLog::startWhenSelected()
{
    if (selected())
        start();
}

void LinkLog::stopWhenSelected()
{
    if (selected())
        stop();
}

void LinkLog::start()
{
    if (!monitors_.rssi().running() && !monitors_.per().running())
        return;
    if (w_.ui->txtLogFileName->text().isEmpty() && !browse())
        return; // no file chosen: nothing to log into
    if (!writeHeader())
        return;
    int seconds = 0;
    if (!validSeconds(w_.ui->txtLogSeconds->text(), &seconds)) {
        seconds = kFallbackSeconds;
        w_.ui->txtLogSeconds->setText(QString::number(seconds));
    }
    w_.tmrDataLogging->setInterval(seconds * 1000);
    w_.tmrDataLogging->start();
}

void LinkLog::stop()
{
    w_.tmrDataLogging->stop();
}

bool LinkLog::browse()
{
    platform::FileDialogRequest request;
    request.title = QStringLiteral("Open Automatic Data Logging File");
    request.filter = QStringLiteral("Log Files (*.LOG)|*.log|All Files (*.*)|*.*");
    request.newNameAllowed = true;
    for (;;) {
        const std::optional<QString> chosen = w_.fileDialogs().choose(&w_, request);
        if (!chosen)
            return false;
        const QString path = QFileInfo(*chosen).absoluteFilePath();
        if (QFileInfo::exists(path)) {
            platform::MessageBox box;
            box.text =
                QStringLiteral("Clear existing file - ") + QDir::toNativeSeparators(path) + QLatin1Char('?');
            box.buttons = platform::MsgButtons::YesNoCancel;
            box.icon = platform::MsgIcon::Question;
            const platform::MsgAnswer answer = w_.messageBoxes().show(&w_, box);
            if (answer == platform::MsgAnswer::Cancel)
                continue;
            if (answer == platform::MsgAnswer::Yes)
                QFile::remove(path);
        }
        w_.ui->txtLogFileName->setText(QDir::toNativeSeparators(path));
        return true;
    }
}

bool LinkLog::writeHeader()
{
    return append(linkLogHeader(w_.ui->txtQDVVersion->text(), w_.ui->txtESN->text()));
}

void LinkLog::writeEntry()
{
    const bool per = w_.ui->chkContinuousPacketLoss->isChecked();
    const linkset::StripChart &chart = *w_.iStripChartX1(per ? 0 : 1);
    if (chart.pointCount() == 0)
        return;
    const int last = chart.pointCount() - 1;
    const QDateTime now = monitors_.clock.now();
    if (w_.ui->chkRSSIMonitor->isChecked()) {
        append(rssiLogEntry(now, chart.channelCount() > 0 ? chart.channelData(0, last).value_or(0) : 0));
    } else if (per) {
        QList<StationRate> stations;
        for (int c = 0; c < chart.channelCount(); ++c)
            stations.append({chart.channelName(c), chart.channelData(c, last).value_or(0)});
        append(perLogEntry(now, stations));
    } else {
        w_.tmrDataLogging->stop();
    }
}

bool LinkLog::append(const QByteArray &bytes)
{
    const QString path = QDir::fromNativeSeparators(w_.ui->txtLogFileName->text());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append) && file.write(bytes) == bytes.size() &&
        file.flush())
        return true;
    stop();
    w_.messageBoxes().inform(&w_,
                             QStringLiteral("The link log %1 cannot be written (%2). Logging has stopped.")
                                 .arg(QDir::toNativeSeparators(path), file.errorString()),
                             QStringLiteral("Warning"), platform::MsgIcon::Exclamation);
    return false;
}

bool LinkLog::validSeconds(const QString &text, int *seconds)
{
    bool number = false;
    const int value = text.trimmed().toInt(&number);
    if (!number || value < kMinimumSeconds || value > kMaximumSeconds)
        return false;
    *seconds = value;
    return true;
}

void LinkLog::onSecondsEdited()
{
    int seconds = 0;
    if (!validSeconds(w_.ui->txtLogSeconds->text(), &seconds)) {
        w_.ui->txtLogSeconds->setText(lastGoodSeconds_);
        w_.messageBoxes().inform(&w_,
                                 QStringLiteral("Please enter a whole number of seconds from %1 to %2.")
                                     .arg(kMinimumSeconds)
                                     .arg(kMaximumSeconds),
                                 QStringLiteral("Warning"), platform::MsgIcon::Exclamation);
        return;
    }
    lastGoodSeconds_ = QString::number(seconds);
    // A new interval takes effect at once: a running timer starts its wait again.
    const bool running = w_.tmrDataLogging->isActive();
    w_.tmrDataLogging->stop();
    w_.tmrDataLogging->setInterval(seconds * 1000);
    if (running)
        w_.tmrDataLogging->start();
}

} // namespace monitor
