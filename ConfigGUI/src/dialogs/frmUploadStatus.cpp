#include "dialogs/frmUploadStatus.h"

#include "ui/frmTevoHadraConfig.h"
#include "dialogs/status_panels.h"
#include "ui_frmUploadStatus.h"

#include <QCloseEvent>
#include <QIcon>
#include <QScreen>

static void registerTransferImages()
{
    Q_INIT_RESOURCE(upload_status);
}

namespace {

constexpr int kPictureRole = Qt::UserRole;

QString pictureOf(const QString &state)
{
    if (state == QLatin1String("Success"))
        return QStringLiteral("Check");
    if (state == QLatin1String("Error"))
        return QStringLiteral("X");
    return QStringLiteral("Timer");
}

} // namespace

frmUploadStatus::frmUploadStatus(frmTevoHadraConfig &callingForm)
    : QWidget(&callingForm, Qt::Window | Qt::WindowStaysOnTopHint),
      ui(std::make_unique<Ui::frmUploadStatus>()), frmCallingForm(callingForm)
{
    registerTransferImages();
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    // Nothing else of the program takes input while a transfer is shown.
    setWindowModality(Qt::ApplicationModal);
    ui->lviewUpdates->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    ui->lviewUpdates->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    connect(ui->cmdOK, &QPushButton::clicked, this, &QWidget::close);
    connect(ui->cmdRestore, &QPushButton::clicked, this, &frmUploadStatus::restoreRequested);
}

frmUploadStatus::~frmUploadStatus() = default;

void frmUploadStatus::addEntry(const QString &message)
{
    auto *row = new QTreeWidgetItem(ui->lviewUpdates, QStringList{message});
    setEntryState(ui->lviewUpdates->indexOfTopLevelItem(row), QStringLiteral("Waiting"));
}

int frmUploadStatus::entryCount() const
{
    return ui->lviewUpdates->topLevelItemCount();
}

void frmUploadStatus::setEntryState(int row, const QString &state)
{
    QTreeWidgetItem *item = ui->lviewUpdates->topLevelItem(row);
    if (!item)
        return;
    const QString picture = pictureOf(state);
    item->setText(1, state);
    item->setData(0, kPictureRole, picture);
    item->setIcon(0, QIcon(imagePath(picture)));
    ui->lviewUpdates->scrollToItem(item);
}

QString frmUploadStatus::entryState(int row) const
{
    const QTreeWidgetItem *item = ui->lviewUpdates->topLevelItem(row);
    return item ? item->text(1) : QString();
}

QString frmUploadStatus::entryPicture(int row) const
{
    const QTreeWidgetItem *item = ui->lviewUpdates->topLevelItem(row);
    return item ? item->data(0, kPictureRole).toString() : QString();
}

void frmUploadStatus::setStatusText(const QString &text)
{
    ui->lblStatusInfo->setText(text);
}

void frmUploadStatus::setProgress(int value, int maximum)
{
    ui->ARTransferBar->setMaximum(maximum);
    ui->ARTransferBar->setValue(value);
}

void frmUploadStatus::allowClosing()
{
    ui->cmdOK->setEnabled(true);
    ui->cmdOK->setFocus();
}

void frmUploadStatus::offerRestore()
{
    ui->cmdRestore->show();
}

void frmUploadStatus::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Over the middle of the main window, inside the screen.
    QRect frame = frameGeometry();
    frame.moveCenter(frmCallingForm.frameGeometry().center());
    if (const QScreen *screen = frmCallingForm.screen()) {
        const QRect available = screen->availableGeometry();
        frame.moveLeft(std::clamp(frame.left(), available.left(),
                                  std::max(available.left(), available.right() - frame.width())));
        frame.moveTop(std::clamp(frame.top(), available.top(),
                                 std::max(available.top(), available.bottom() - frame.height())));
    }
    move(frame.topLeft());
}

void frmUploadStatus::closeEvent(QCloseEvent *event)
{
    // While the transfer runs the window stays; it is closed once its OK button is enabled.
    if (!ui->cmdOK->isEnabled()) {
        event->ignore();
        return;
    }
    event->accept();
    frmCallingForm.raise();
    frmCallingForm.activateWindow();
}
