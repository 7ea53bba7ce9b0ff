#include "ui/radio_settings.h"

#include "config/radio_channels.h"
#include "session/handler_boundary.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui_frmTevoHadraConfig.h"

#include <QComboBox>
#include <QSignalBlocker>

void connectRadioSettings(frmTevoHadraConfig &w)
{
    QObject::connect(w.ui->cmboRegDomain, &QComboBox::currentIndexChanged, &w,
                     [&w] { session::guarded(w, [&] { offerDomainChannels(w); }); });
    QObject::connect(w.ui->cmboRadioChannel, &QComboBox::currentTextChanged, &w,
                     [&w] { session::guarded(w, [&] { showChannelFrequency(w); }); });
}

void offerDomainChannels(frmTevoHadraConfig &w)
{
    QComboBox &channels = *w.ui->cmboRadioChannel;
    // The frequency keeps its last text until a channel is chosen or set.
    const QSignalBlocker quiet(channels);
    channels.clear();
    channels.addItems(linkset::channelList(w.ui->cmboRegDomain->currentText()));
    channels.setCurrentIndex(-1);
}

void showChannelFrequency(frmTevoHadraConfig &w)
{
    if (const std::optional<QString> label = linkset::frequencyLabel(w.ui->cmboRadioChannel->currentText()))
        w.ui->lblRadioFrequency->setText(*label);
}
