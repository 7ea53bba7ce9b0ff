#include "forms/reply_grammar.h"

#include "dialogs/status_panels.h"
#include "forms/option_rules.h"
#include "forms/radio_enable_button.h"
#include "forms/reply_values.h"
#include "monitor/export_rows.h"
#include "monitor/monitors.h"
#include "ui/frmTevoHadraConfig.h"
#include "ui_frmTevoHadraConfig.h"
#include "widgets/angular_gauge.h"
#include "widgets/bar_chart.h"
#include "widgets/strip_chart.h"

#include <QCheckBox>
#include <QDateTime>
#include <QHash>
#include <QIcon>
#include <QLocale>
#include <QTreeWidget>
#include <array>

namespace forms {

namespace {

using Window = frmTevoHadraConfig;

// Cuts text at ";": a ";" at the start gives an empty part, one at the end gives none.
QList<QStringView> cutAtSemicolons(QStringView text)
{
    QList<QStringView> parts;
    while (!text.isEmpty()) {
        const qsizetype semicolon = text.indexOf(QLatin1Char(';'));
        if (semicolon < 0) {
            parts << text;
            break;
        }
        parts << text.left(semicolon);
        text = text.mid(semicolon + 1);
    }
    return parts;
}

// ---- Parameter replies ----

using ParameterAction = void (*)(Window &, const QString &);

void selectElement(Window &w, const char *array, const QString &value, int offset = 0)
{
    if (const std::optional<int> index = wholeNumber(value))
        if (QRadioButton *option = w.option(QLatin1String(array), *index + offset))
            option->setChecked(true);
}

// STATIONS and code 48: a station joins the packet-loss table once, and the chart shows it.
void addChartStation(Window &w, const QString &stationId)
{
    const QString label = monitor::StationTable::labelOf(stationId);
    if (w.StationChartTable.find(label) == 0)
        w.StationChartTable.add(label, 0);
    w.ui->MSChartPacketLoss->setChartData(w.StationChartTable.chartData());
}

bool bridgingSelected(const Window &w)
{
    return w.optForwardingMode(0)->isChecked();
}

QTreeWidgetItem *addItem(QTreeWidget *list, const QString &text)
{
    return new QTreeWidgetItem(list, QStringList{text});
}

const QHash<QString, ParameterAction> &parameterActions()
{
    static const QHash<QString, ParameterAction> actions{
        {"01", [](Window &w, const QString &v) { w.ui->txtSNMPName->setText(v); }},
        {"02", [](Window &w, const QString &v) { w.ui->txtSNMPContact->setText(v); }},
        {"03", [](Window &w, const QString &v) { w.ui->txtSNMPLocation->setText(v); }},
        {"04", [](Window &w, const QString &v) { w.ui->txtQDVVersion->setText(v); }},
        {"05", [](Window &w, const QString &v) { w.ui->txtESN->setText(v); }},
        {"10", [](Window &w, const QString &v) { w.ui->txtEthernetIP->setText(v); }},
        {"11", [](Window &w, const QString &v) { w.cmboNetmask(0)->setCurrentText(v); }},
        {"12", [](Window &w, const QString &v) { w.ui->txtRadioIP->setText(v); }},
        {"13", [](Window &w, const QString &v) { w.cmboNetmask(1)->setCurrentText(v); }},
        {"14",
         [](Window &w, const QString &v) {
             const std::optional<int> mode = wholeNumber(v);
             if (!mode)
                 return;
             if (QCheckBox *box = w.chkRoutingMode(*mode - 1)) {
                 box->setChecked(true);
                 routingModeClicked(w, *mode - 1);
             }
         }},
        {"15",
         [](Window &w, const QString &v) {
             if (v.toUpper() != QLatin1String("NOT DEFINED"))
                 w.ui->txtDNSDomainName->setText(v);
         }},
        {"16", [](Window &w, const QString &v) { selectElement(w, "optForwardingMode", v); }},
        {"17", [](Window &w, const QString &v) { selectElement(w, "optRIPActive", v); }},
        {"18", [](Window &w, const QString &v) { selectElement(w, "optRIPDefaultRoute", v); }},
        // The unit counts RIP versions 1 and 2; the options are "Version 1" and "Version 2".
        {"19", [](Window &w, const QString &v) { selectElement(w, "optRIPVersion", v, -1); }},
        {"1B", [](Window &w, const QString &v) { selectElement(w, "optRIPMulticast", v); }},
        {"1C", [](Window &w, const QString &v) { selectElement(w, "optRIPStaticRouteUpdate", v); }},
        {"27", [](Window &w, const QString &v) { w.ui->txtRouterIP->setText(v); }},
        {"28", [](Window &w, const QString &v) { w.cmboNetmask(2)->setCurrentText(v); }},
        {"29", [](Window &w, const QString &v) { w.ui->txtRadiusIP->setText(v); }},
        {"2A", [](Window &w, const QString &v) { w.cmboNetmask(3)->setCurrentText(v); }},
        {"30", [](Window &w, const QString &v) { selectElement(w, "optDHCPMode", v); }},
        {"33", [](Window &w, const QString &v) { w.ui->cmbRIPInterval->setCurrentText(v); }},
        {"34", [](Window &w, const QString &v) { w.ui->cmbRIPExpire->setCurrentText(v); }},
        {"40", [](Window &w, const QString &v) { w.ui->txtMACAddress->setText(v); }},
        {"41", [](Window &w, const QString &v) { selectElement(w, "optRadioType", v); }},
        {"42",
         [](Window &w, const QString &v) {
             const std::optional<int> domain = wholeNumber(v);
             if (domain && *domain >= 1 && *domain <= w.ui->cmboRegDomain->count())
                 w.ui->cmboRegDomain->setCurrentIndex(*domain - 1);
         }},
        {"43", [](Window &w, const QString &v) { w.ui->cmboRadioChannel->setCurrentText(v); }},
        {"45",
         [](Window &w, const QString &v) {
             w.ui->cmboRadioSpeed->setEnabled(true);
             w.ui->cmboRadioSpeed->setCurrentText(v);
             w.ui->cmboRadioSpeed->setEnabled(false);
         }},
        {"47", [](Window &w, const QString &v) { w.ui->txtLocalID->setText(v); }},
        {"48",
         [](Window &w, const QString &v) {
             if (w.optRadioType(0)->isChecked() && bridgingSelected(w))
                 addItem(w.ui->lviewStationsAdded, v);
             addChartStation(w, v);
         }},
        {"52",
         [](Window &w, const QString &v) {
             if (const std::optional<int> enabled = wholeNumber(v))
                 showRadioEnableImage(w, *enabled == 0 ? kRadioOffImage : kRadioOnImage);
         }},
        {"58",
         [](Window &w, const QString &v) {
             if (decimalNumber(v)) {
                 w.mvntRSSIThreshold = v;
                 w.ui->cmbRSSIThreshold->setCurrentText(v);
             } else {
                 w.ui->cmbRSSIThreshold->setCurrentText(QStringLiteral("40"));
             }
         }},
    };
    return actions;
}

void applyParameterReply(Window &w, const QString &line)
{
    const QHash<QString, ParameterAction> &actions = parameterActions();
    for (const ParameterPair &pair : parameterPairs(line)) {
        if (pair.value == QLatin1String("N/A"))
            continue;
        if (const ParameterAction action = actions.value(pair.code))
            skipFailure([&] { action(w, pair.value); });
    }
}

// ---- List blocks ----

// Sets sub-item `column` of an item; a column the list view does not have is skipped.
void setSubItem(QTreeWidgetItem *item, int column, const QString &text)
{
    if (item && column >= 0 && column < item->treeWidget()->columnCount())
        item->setText(column, text);
}

// ROUTE, SNMP TRAP and SNMP COMMUNITY: field 0 is the item, field k its sub-item k.
void fillItem(QTreeWidget *list, const QStringList &fields, QString (*convert)(const QString &) = nullptr)
{
    if (fields.isEmpty())
        return;
    QTreeWidgetItem *item = addItem(list, fields[0]);
    for (int k = 1; k < fields.size(); ++k)
        setSubItem(item, k, convert ? convert(fields[k]) : fields[k]);
}

// The unit sends a route with its type as the fourth field. A route line without it is the
// three-field form that older configuration files hold; those held only static routes, so
// the route is static (without the type a later save or update would drop it).
QStringList routeWithType(const QStringList &fields)
{
    return fields.size() == 3 ? fields + QStringList{QStringLiteral("Static")} : fields;
}

QString communityAccess(const QString &field)
{
    const QString upper = field.toUpper();
    return upper == QLatin1String("R") || upper == QLatin1String("READ") ? QStringLiteral("read")
                                                                         : QStringLiteral("write");
}

QString upOrDown(const QString &field)
{
    return wholeNumber(field) == 1 ? QStringLiteral("UP") : QStringLiteral("DOWN");
}

void interfaceStatisticsItem(Window &w, const QStringList &fields)
{
    if (fields.isEmpty())
        return;
    const QString upper = fields[0].toUpper();
    QString icon = QStringLiteral("Radio");
    QString text = fields[0];
    if (upper == QLatin1String("LOOPBACK")) {
        text = QStringLiteral("loopback");
        icon = QStringLiteral("LoopBack");
    } else if (upper == QLatin1String("ETHERNET")) {
        icon = QStringLiteral("Ethernet");
    }
    QTreeWidgetItem *item = addItem(w.ui->lviewIFStats, text);
    item->setIcon(0, QIcon(imagePath(icon)));
    // The radio row names its remote device; its status fields are 5 and 6. Other rows have
    // no remote device: their fields move one column right.
    const bool radio = upper == QLatin1String("RADIO");
    for (int k = 1; k < fields.size(); ++k) {
        if (radio)
            setSubItem(item, k, k == 5 || k == 6 ? upOrDown(fields[k]) : fields[k]);
        else
            setSubItem(item, k + 1, k == 4 || k == 5 ? upOrDown(fields[k]) : fields[k]);
    }
}

void ipStatisticsItem(Window &w, const QStringList &fields)
{
    const QDateTime arrival = w.monitors().clock.now();
    QTreeWidgetItem *item = addItem(
        w.ui->lviewIPStats, QLocale::c().toString(arrival, QStringLiteral("MMM dd yyyy hh:mm:ss AP")));
    item->setData(0, monitor::kArrivalTimeRole, arrival);
    for (int k = 0; k < fields.size(); ++k)
        setSubItem(item, k + 1, fields[k]);
}

void stationsItem(Window &w, const QStringList &fields)
{
    if (fields.isEmpty() || fields[0].isEmpty())
        return;
    if (bridgingSelected(w))
        addItem(w.ui->lviewStationsAdded, fields[0]);
    addChartStation(w, fields[0]);
}

void radioAddressItem(Window &w, const QStringList &fields)
{
    fillItem(w.ui->lviewStationsAdded, fields);
    // A station without an address of its own (a bridging station in a saved file) leaves
    // the unit's radio address as it is.
    if (fields.size() > 1 && !fields[1].isEmpty())
        w.ui->txtRadioIP->setText(fields[1]);
}

void perStart(Window &w)
{
    linkset::StripChart &chart = *w.iStripChartX1(0);
    linkset::BarChart &bars = *w.ui->MSChartPacketLoss;
    if (w.perBlockOpen) { // the previous block never ended
        chart.EndUpdate();
        bars.EndUpdate();
    }
    // The block's rates are drawn together when it ends.
    chart.BeginUpdate();
    bars.BeginUpdate();
    w.perBlockOpen = true;
    chart.AddIndexTimeNow();
}

void perEnd(Window &w)
{
    if (!w.perBlockOpen)
        return;
    w.perBlockOpen = false;
    w.iStripChartX1(0)->EndUpdate();
    w.ui->MSChartPacketLoss->EndUpdate();
}

void perItem(Window &w, const QStringList &fields)
{
    if (fields.size() < 4)
        return;
    const QString label = monitor::StationTable::labelOf(fields[0]);
    const std::optional<double> rate = decimalNumber(fields[3]);
    if (const int column = w.StationChartTable.find(label)) {
        if (rate)
            w.UpdatePERDisplays(column - 1, *rate);
        return;
    }
    w.StationChartTable.add(label, rate.value_or(0));
    w.ui->MSChartPacketLoss->setChartData(w.StationChartTable.chartData());
    w.SetupDiagnostics();
    // The displays were rebuilt without values: every station shows its latest rate again, so
    // the first reading of a new station is not lost on its LEDs and trace.
    for (int column = 1; column <= w.StationChartTable.columnCount(); ++column)
        w.UpdatePERDisplays(column - 1, w.StationChartTable.column(column).value);
}

void singleEntryItem(QTreeWidget *list, const QStringList &fields)
{
    if (!fields.isEmpty())
        addItem(list, fields[0]);
}

void capabilityItem(Window &w, const QStringList &fields)
{
    for (const QString &feature : fields) {
        if (feature == QLatin1String("RIP")) {
            w.chkRoutingMode(1)->show();
            w.EnableRIPOptions(true);
        } else if (feature == QLatin1String("OSPF")) {
            w.chkRoutingMode(2)->show();
            w.EnableOSPFFrame(true);
        } else if (feature == QLatin1String("RSSI")) {
            w.EnableRSSIOptions(true);
        }
    }
}

// A whole table has arrived: its columns widen to show every value (never narrower than
// their captions).
void fitColumnsToContents(QTreeWidget *list)
{
    for (int column = 0; column < list->columnCount(); ++column)
        list->resizeColumnToContents(column);
}

void radioRssiItem(Window &w, const QStringList &fields)
{
    if (fields.size() < 2)
        return;
    if (const std::optional<double> strength = decimalNumber(fields[1])) {
        w.ui->iAngularGaugeX1->setPosition(*strength);
        w.UpdateRSSIHistory();
    }
}

struct BlockKind
{
    QLatin1StringView name;
    void (*item)(Window &, const QStringList &);
    void (*start)(Window &) = nullptr;
    void (*end)(Window &) = nullptr;
};

// In the order lines are tested; the first name found in a line decides.
const std::array<BlockKind, 12> &blockKinds()
{
    static const std::array<BlockKind, 12> kinds{{
        {QLatin1StringView("ROUTE"),
         [](Window &w, const QStringList &f) { fillItem(w.ui->lviewRouterRoutes, routeWithType(f)); },
         nullptr, [](Window &w) { fitColumnsToContents(w.ui->lviewRouterRoutes); }},
        {QLatin1StringView("SNMP TRAP"),
         [](Window &w, const QStringList &f) { fillItem(w.ui->lviewTrapServers, f); }},
        {QLatin1StringView("SNMP COMMUNITY"),
         [](Window &w, const QStringList &f) { fillItem(w.ui->lviewSNMPCommunities, f, communityAccess); }},
        {QLatin1StringView("IFSTATS"), interfaceStatisticsItem},
        {QLatin1StringView("IPSTATS"), ipStatisticsItem},
        {QLatin1StringView("STATIONS"), stationsItem},
        {QLatin1StringView("RADIOIP"), radioAddressItem},
        {QLatin1StringView("PER"), perItem, perStart, perEnd},
        {QLatin1StringView("DNS"),
         [](Window &w, const QStringList &f) { singleEntryItem(w.ui->lviewDNSServers, f); }},
        {QLatin1StringView("DHCP RELAY"),
         [](Window &w, const QStringList &f) { singleEntryItem(w.ui->lviewDHCPServers, f); }},
        {QLatin1StringView("CAPABILITY"), capabilityItem},
        {QLatin1StringView("RADIO RSSI"), radioRssiItem},
    }};
    return kinds;
}

const BlockKind *blockOf(const QString &upper)
{
    for (const BlockKind &kind : blockKinds())
        if (upper.contains(kind.name + QLatin1Char('=')))
            return &kind;
    return nullptr;
}

void applyBlockLine(Window &w, const BlockKind &kind, const QString &line, const QString &upper)
{
    if (upper.contains(kind.name + QLatin1String("=1;START"))) {
        if (kind.start)
            kind.start(w);
    } else if (upper.contains(kind.name + QLatin1String("=1;END"))) {
        if (kind.end)
            kind.end(w);
    } else {
        kind.item(w, itemFields(line));
    }
}

// ---- RIP status lines ----

void showRipState(Window &w, bool enabled)
{
    QCheckBox *rip = w.chkRoutingMode(1);
    rip->show();
    rip->setChecked(enabled);
    w.EnableRIPOptions(enabled);
}

} // namespace

QStringList itemFields(QStringView line)
{
    QStringList fields;
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals >= 0)
        for (const QStringView field : cutAtSemicolons(line.mid(equals + 1)))
            fields << field.toString();
    return fields;
}

QList<ParameterPair> parameterPairs(QStringView line)
{
    QList<ParameterPair> pairs;
    const qsizetype first = line.indexOf(QLatin1Char(';'));
    if (first < 0)
        return pairs;
    for (const QStringView part : cutAtSemicolons(line.mid(first + 1))) {
        if (part.isEmpty())
            continue;
        const qsizetype equals = part.indexOf(QLatin1Char('='));
        if (equals < 0)
            break;
        pairs.append({part.left(equals).toString().toUpper(), part.mid(equals + 1).toString()});
    }
    return pairs;
}

void applyReplyLine(frmTevoHadraConfig &w, const QString &line)
{
    const QString upper = line.toUpper();
    const bool parameterReply = upper.contains(QLatin1String("GET=1;"));
    const BlockKind *block = parameterReply ? nullptr : blockOf(upper);

    // A PER block ends with its end line; one cut short ends at the next line of another
    // kind, so the strip chart does not stay frozen in its update.
    if (w.perBlockOpen && (block == nullptr || block->name != QLatin1String("PER")))
        skipFailure([&] { perEnd(w); });

    if (parameterReply) {
        applyParameterReply(w, line);
    } else if (block) {
        skipFailure([&] { applyBlockLine(w, *block, line, upper); });
    } else if (upper.contains(QLatin1String("RIP ENABLED")) || upper.contains(QLatin1String("RIP:"))) {
        skipFailure([&] { showRipState(w, true); });
    } else if (upper.contains(QLatin1String("RIP DISABLED"))) {
        skipFailure([&] { showRipState(w, false); });
    }
}

} // namespace forms
