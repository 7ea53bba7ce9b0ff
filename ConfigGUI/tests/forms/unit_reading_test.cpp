// The parameter operations against the simulated unit: the lines they send, what they do
// without a connection, ignored errors and the serial notice; then the unit's whole
// configuration read over telnet and over serial, in routing and in bridging mode, and
// compared control by control with what the unit holds; and routes blocks longer than
// one read.
#include "config/command_error.h"
#include "config/device_requests.h"
#include "forms/parameter_operations.h"
#include "config/parameter_table.h"
#include "list_blocks.h"
#include "model_profile.h"
#include "session/mod_config_script.h"
#include "session_fixture.h"
#include "forms/radio_enable_button.h"
#include "unit_reading.h"
#include "window_fixture.h"

#include <QButtonGroup>
#include <QCheckBox>

using forms::ParameterCommand;
using forms::SendCommand;
using Rows = QList<QStringList>;

namespace {

// The item lines of one of the unit's list tables, split into fields and padded to `columns`.
Rows tableRows(const unitsim::UnitConfig &config, int table, int columns, std::size_t bigLists = 0)
{
    unitsim::LiveData live(1);
    const std::vector<std::string> lines = unitsim::renderTable(table, {config, live, bigLists}).value();
    Rows rows;
    for (const std::string &line : lines) {
        const QString text = QString::fromStdString(line);
        if (text.contains(QLatin1String("=1;START")) || text.contains(QLatin1String("=1;END")))
            continue;
        QStringList fields = text.mid(text.indexOf(QLatin1Char('=')) + 1).split(QLatin1Char(';'));
        fields.resize(columns);
        rows << fields;
    }
    return rows;
}

QString optionValue(const frmTevoHadraConfig &w, const char *array, int offset = 0)
{
    return QString::number(w.optionGroup(QLatin1String(array))->checkedId() + offset);
}

// What the window shows for a parameter, in the unit's own terms; nothing for a code that
// has no control of its own.
std::optional<QString> shown(frmTevoHadraConfig &w, const QString &code)
{
    Ui::frmTevoHadraConfig &ui = *w.ui;
    const QHash<QString, std::function<QString()>> controls{
        {"01", [&] { return ui.txtSNMPName->text(); }},
        {"02", [&] { return ui.txtSNMPContact->text(); }},
        {"03", [&] { return ui.txtSNMPLocation->text(); }},
        {"04", [&] { return ui.txtQDVVersion->text(); }},
        {"05", [&] { return ui.txtESN->text(); }},
        {"10", [&] { return ui.txtEthernetIP->text(); }},
        {"11", [&] { return w.cmboNetmask(0)->currentText(); }},
        {"12", [&] { return ui.txtRadioIP->text(); }},
        {"13", [&] { return w.cmboNetmask(1)->currentText(); }},
        {"15", [&] { return ui.txtDNSDomainName->text(); }},
        {"16", [&] { return optionValue(w, "optForwardingMode"); }},
        {"17", [&] { return optionValue(w, "optRIPActive"); }},
        {"18", [&] { return optionValue(w, "optRIPDefaultRoute"); }},
        {"19", [&] { return optionValue(w, "optRIPVersion", 1); }},
        {"1B", [&] { return optionValue(w, "optRIPMulticast"); }},
        {"1C", [&] { return optionValue(w, "optRIPStaticRouteUpdate"); }},
        {"27", [&] { return ui.txtRouterIP->text(); }},
        {"28", [&] { return w.cmboNetmask(2)->currentText(); }},
        {"29", [&] { return ui.txtRadiusIP->text(); }},
        {"2A", [&] { return w.cmboNetmask(3)->currentText(); }},
        {"30", [&] { return optionValue(w, "optDHCPMode"); }},
        {"33", [&] { return ui.cmbRIPInterval->currentText(); }},
        {"34", [&] { return ui.cmbRIPExpire->currentText(); }},
        {"35", [&] { return QString::number(w.chkRoutingMode(1)->isChecked()); }},
        {"40", [&] { return ui.txtMACAddress->text(); }},
        {"41", [&] { return optionValue(w, "optRadioType"); }},
        {"42", [&] { return QString::number(ui.cmboRegDomain->currentIndex() + 1); }},
        {"43", [&] { return ui.cmboRadioChannel->currentText(); }},
        {"45", [&] { return ui.cmboRadioSpeed->currentText(); }},
        {"47", [&] { return ui.txtLocalID->text(); }},
        {"52", [&] { return QString::number(radioEnableImage(w) == kRadioOnImage); }},
        {"58", [&] { return ui.cmbRSSIThreshold->currentText(); }},
    };
    const auto control = controls.find(code);
    return control == controls.end() ? std::nullopt : std::optional<QString>((*control)());
}

} // namespace

using ParameterOperations = SessionFixture;

TEST_F(ParameterOperations, SendTheTableCommandsOverTelnet)
{
    start();
    ASSERT_TRUE(connectTelnetAndLogIn());
    ParameterCommand(*w, u"01", true, QStringLiteral("Base 2"));
    ParameterCommand(*w, u"01", false);
    ParameterCommand(*w, u"35", true, QStringLiteral("0"));
    ParameterCommand(*w, u"53", true);
    SendCommand(*w, linkset::tableRequest(9));
    EXPECT_EQ(commandLines(),
              (QStringList{"Set 01=Base 2", "Get 01", "IP RIP Disable", "set 53 = 1", "Table 9"}));
    EXPECT_EQ(unit->parameter("01"), "Base 2");
    EXPECT_EQ(w->ui->txtSNMPName->text(), QStringLiteral("Base 2"));
    EXPECT_EQ(w->ui->lviewDNSServers->topLevelItemCount(), 2);
    EXPECT_THROW(ParameterCommand(*w, u"04", true, QStringLiteral("x")), linkset::CommandError);
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(ParameterOperations, WithoutAConnectionNothingIsSentOrShown)
{
    start();
    ParameterCommand(*w, u"01", false);
    ParameterCommand(*w, u"62", true);
    SendCommand(*w, linkset::capabilityRequest());
    EXPECT_TRUE(unit->receivedLines().empty());
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(ParameterOperations, SerialFailuresReachTheCallerUnlessTheRowIgnoresThem)
{
    unitsim::UnitOptions options;
    options.faults.wrongEchoAtSerialChar = 2;
    options.rebootDelay = std::chrono::milliseconds(20);
    start(options);
    ASSERT_TRUE(connectSerialAndLogIn());
    EXPECT_THROW(ParameterCommand(*w, u"01", false), session::CommError);
    EXPECT_NO_THROW(ParameterCommand(*w, u"61", true)); // factory defaults: every error ignored

    boxes.clear();
    EXPECT_NO_THROW(ParameterCommand(*w, u"62", true)); // reboot: the notice follows even a failure
    ASSERT_FALSE(boxes.shown().isEmpty());
    EXPECT_EQ(boxes.shown().last().text,
              QStringLiteral("Please wait approximately one minute to allow the device to reboot"));
    EXPECT_EQ(boxes.shown().last().icon, platform::MsgIcon::Information);
}

struct ReadingCase
{
    Transport transport;
    unitsim::Model model;
    const char *name;
};

class WholeConfiguration : public SessionFixture, public ::testing::WithParamInterface<ReadingCase>
{
};

TEST_P(WholeConfiguration, EveryControlHoldsTheUnitsValue)
{
    unitsim::UnitOptions options;
    options.model = GetParam().model;
    start(options);
    ASSERT_TRUE(connectAndLogIn(GetParam().transport));
    readWholeConfiguration(*w);
    EXPECT_TRUE(boxes.shown().isEmpty()) << boxes.texts().join(u'|').toStdString();

    int compared = 0;
    for (const linkset::ParameterRow &row : linkset::parameterTable()) {
        const std::string code(row.code);
        const std::optional<std::string> value = unit->parameter(code);
        const std::optional<QString> control = shown(*w, QString::fromStdString(code));
        if (!value || !control || *value == "N/A")
            continue;
        QString expected = QString::fromStdString(*value);
        if (expected.compare(QLatin1String("Not Defined"), Qt::CaseInsensitive) == 0)
            expected.clear(); // the domain name stays empty
        EXPECT_EQ(*control, expected) << "code " << code;
        ++compared;
    }
    EXPECT_GE(compared, 20);

    const unitsim::ModelProfile &profile = unitsim::profileFor(options.model);
    const unitsim::UnitConfig &config = profile.defaults;
    Ui::frmTevoHadraConfig &ui = *w->ui;
    EXPECT_EQ(ui.cmboRegDomain->currentText(), QStringLiteral("FCC"));
    EXPECT_EQ(rowsOf(ui.lviewRouterRoutes), tableRows(config, 1, 6));
    EXPECT_EQ(rowsOf(ui.lviewSNMPCommunities), tableRows(config, 2, 2));
    EXPECT_EQ(rowsOf(ui.lviewTrapServers), tableRows(config, 3, 2));
    EXPECT_EQ(rowsOf(ui.lviewDNSServers), tableRows(config, 9, 1));
    EXPECT_EQ(rowsOf(ui.lviewDHCPServers), tableRows(config, 10, 1));
    EXPECT_EQ(ui.lviewIFStats->topLevelItemCount(), 3);
    EXPECT_EQ(rowsOf(ui.lviewIFStats).value(1).mid(5, 2), (QStringList{"UP", "UP"}));
    EXPECT_EQ(ui.lviewIPStats->topLevelItemCount(), 1);

    // Routing lists each station with its addresses; a bridging station also lists its
    // remote master (code 48) and the STATIONS entries.
    Rows stations = tableRows(config, 6, 3);
    if (config.parameters.at("16") == "0") {
        Rows bridged{{QString::fromStdString(config.stations[0].id), "", ""}};
        for (const QStringList &station : tableRows(config, 5, 3))
            bridged << station;
        stations = bridged + stations;
    }
    EXPECT_EQ(rowsOf(ui.lviewStationsAdded), stations);
    EXPECT_EQ(w->StationChartTable.stationCount(), int(config.stations.size()));
    EXPECT_EQ(w->iStripChartX1(0)->channelCount(), int(config.stations.size()));
    EXPECT_EQ(!w->chkRoutingMode(2)->isHidden(), profile.has("OSPF"));
    EXPECT_EQ(ui.RSSISubTab->isTabVisible(1), profile.has("RSSI"));
}

INSTANTIATE_TEST_SUITE_P(
    TelnetAndSerial, WholeConfiguration,
    ::testing::Values(ReadingCase{Transport::Telnet, unitsim::Model::Hadra, "TelnetRouting"},
                      ReadingCase{Transport::Telnet, unitsim::Model::Tevo, "TelnetBridging"},
                      ReadingCase{Transport::Serial, unitsim::Model::Hadra, "SerialRouting"},
                      ReadingCase{Transport::Serial, unitsim::Model::Tevo, "SerialBridging"}),
    [](const ::testing::TestParamInfo<ReadingCase> &info) { return std::string(info.param.name); });

// A routes block of about this many bytes arrives in many reads and is listed whole.
class LongRoutesBlock : public SessionFixture, public ::testing::WithParamInterface<std::size_t>
{
protected:
    void readRoutes(std::size_t bytes)
    {
        unitsim::UnitOptions options;
        options.bigListsBytes = bytes;
        start(options);
        ASSERT_TRUE(connectTelnetAndLogIn());
        modConfigScript::RunReportingCommFailure(*w, [&] { SendCommand(*w, linkset::tableRequest(1)); });
        expected = tableRows(unitsim::profileFor(options.model).defaults, 1, 6, bytes);
    }
    Rows expected;
};

TEST_P(LongRoutesBlock, ArrivesWholeAcrossReads)
{
    readRoutes(GetParam());
    EXPECT_TRUE(boxes.shown().isEmpty()) << boxes.texts().join(u'|').toStdString();
    EXPECT_EQ(rowsOf(w->ui->lviewRouterRoutes), expected);
}

INSTANTIATE_TEST_SUITE_P(Bytes, LongRoutesBlock, ::testing::Values(1500u, 3000u, 60'000u));
