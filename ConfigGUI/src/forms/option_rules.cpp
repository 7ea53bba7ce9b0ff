#include "forms/option_rules.h"

#include "session/handler_boundary.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui_frmTevoHadraConfig.h"
#include "widgets/strip_chart.h"

#include <QButtonGroup>
#include <QCheckBox>

namespace {

constexpr int kRipSubTab = 1;
constexpr int kOspfSubTab = 2;
constexpr int kDhcpTab = 3;
constexpr int kRssiSubTab = 1;
constexpr int kDestinationRadioIpColumn = 2;

bool selected(const frmTevoHadraConfig &w, const char *array, int index)
{
    return w.option(QLatin1String(array), index)->isChecked();
}

void enableOptions(frmTevoHadraConfig &w, QWidget *frame, const char *array, bool enabled)
{
    frame->setEnabled(enabled);
    for (QAbstractButton *option : w.optionGroup(QLatin1String(array))->buttons())
        option->setEnabled(enabled);
}

// "Version 1" knows no multicast.
void applyRipVersionRule(frmTevoHadraConfig &w)
{
    enableOptions(w, w.ui->fraMultiCast, "optRIPMulticast", !selected(w, "optRIPVersion", 0));
}

void applyMulticastRule(frmTevoHadraConfig &w)
{
    if (selected(w, "optRIPMulticast", 1) && selected(w, "optRIPVersion", 0))
        w.option(QStringLiteral("optRIPMulticast"), 0)->setChecked(true);
}

// A quiet RIP sends no updates, static routes included.
void applyActivityRule(frmTevoHadraConfig &w)
{
    enableOptions(w, w.ui->fraStaticRouteUpdate, "optRIPStaticRouteUpdate", selected(w, "optRIPActive", 1));
}

void applyOspfAreaRule(frmTevoHadraConfig &w)
{
    const bool enabled = selected(w, "optOSPFEnable", 0);
    for (QWidget *control :
         std::initializer_list<QWidget *>{w.ui->fraOSPFArea, w.ui->lviewOSPFAreas, w.ui->cmdAddOSPFArea,
                                          w.ui->cmdEditOSPFArea, w.ui->cmdDeleteOSPFArea})
        control->setEnabled(enabled);
}

void applyDhcpModeRule(frmTevoHadraConfig &w)
{
    w.ui->fraDHCPServers->setEnabled(selected(w, "optDHCPMode", 1));
}

void switchProtocolSubTab(frmTevoHadraConfig &w, int routingMode, int subTab)
{
    const QCheckBox *box = w.chkRoutingMode(routingMode);
    QTabWidget *subTabs = w.ui->IPRoutingSubTab;
    subTabs->setTabVisible(subTab, !box->isHidden());
    if (!box->isHidden())
        subTabs->setTabEnabled(subTab, box->isChecked());
}

// Runs a rule whenever an option of the array becomes selected, by a click or by the
// reply grammar.
void onSelected(frmTevoHadraConfig &w, const char *array, void (*rule)(frmTevoHadraConfig &))
{
    QObject::connect(w.optionGroup(QLatin1String(array)), &QButtonGroup::idToggled, &w,
                     [&w, rule](int, bool checked) {
                         if (checked)
                             session::guarded(w, [&] { rule(w); });
                     });
}

} // namespace

void connectOptionRules(frmTevoHadraConfig &w)
{
    onSelected(w, "optRIPVersion", applyRipVersionRule);
    onSelected(w, "optRIPMulticast", applyMulticastRule);
    onSelected(w, "optRIPActive", applyActivityRule);
    onSelected(w, "optOSPFEnable", applyOspfAreaRule);
    onSelected(w, "optDHCPMode", applyDhcpModeRule);
    onSelected(w, "optForwardingMode", applyForwardingLayout);
    for (int i = 0; i < 3; ++i)
        QObject::connect(w.chkRoutingMode(i), &QCheckBox::clicked, &w,
                         [&w, i] { session::guarded(w, [&] { routingModeClicked(w, i); }); });
}

void routingModeClicked(frmTevoHadraConfig &w, int index)
{
    QCheckBox *box = w.chkRoutingMode(index);
    if (index == 0) {
        box->setCheckState(Qt::PartiallyChecked); // static routing cannot be switched off
        return;
    }
    if (index == 1)
        EnableRIPOptions(w, box->isChecked());
    else
        EnableOSPFFrame(w, box->isChecked());
    QTabWidget *subTabs = w.ui->IPRoutingSubTab;
    if (!subTabs->isTabEnabled(subTabs->currentIndex()))
        subTabs->setCurrentIndex(0);
}

void EnableRIPOptions(frmTevoHadraConfig &w, bool state)
{
    switchProtocolSubTab(w, 1, kRipSubTab);
    if (state)
        applyActivityRule(w);
}

void EnableOSPFFrame(frmTevoHadraConfig &w, bool state)
{
    switchProtocolSubTab(w, 2, kOspfSubTab);
    if (state)
        applyOspfAreaRule(w);
}

void EnableRSSIOptions(frmTevoHadraConfig &w, bool flag)
{
    w.ui->RSSISubTab->setTabVisible(kRssiSubTab, flag);
    w.ui->chkHistoryRSSIMonitor->setVisible(flag);
    w.iStripChartX1(1)->setVisible(flag);
}

void applyForwardingLayout(frmTevoHadraConfig &w)
{
    const bool routing = selected(w, "optForwardingMode", 1);
    w.ui->txtRadioIP->setVisible(routing);
    w.ui->lblRadioIP->setVisible(routing);
    w.ui->fraRadioIP->setVisible(routing);
    w.ui->SSTab1->setTabVisible(kDhcpTab, routing);
    // The destination column takes the rest of the list's width (the header stretches it).
    w.ui->lviewStationsAdded->setColumnHidden(kDestinationRadioIpColumn, !routing);
}
