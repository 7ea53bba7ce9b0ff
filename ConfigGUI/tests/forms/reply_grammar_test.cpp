// The reply grammar fed through ProcessReply: parameter replies, every list block, the
// capability and RIP status lines, chunks that end inside a line, and faulty input.
#include "forms/radio_enable_button.h"
#include "forms/reply_grammar.h"
#include "forms/reply_values.h"
#include "pty_peer.h"
#include "session/mscomm.h"
#include "widgets/angular_gauge.h"
#include "widgets/bar_chart.h"
#include "widgets/led_matrix.h"
#include "widgets/strip_chart.h"
#include "window_fixture.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <stdexcept>

using Rows = QList<QStringList>;

TEST(ReplyFields, SplitAfterTheFirstEqualsSign)
{
    const struct
    {
        const char *line;
        QStringList fields;
    } cases[] = {
        {"IP ROUTE=10.0.0.0;255.0.0.0;10.0.0.1;Static", {"10.0.0.0", "255.0.0.0", "10.0.0.1", "Static"}},
        {"DNS=1.2.3.4", {"1.2.3.4"}},
        {"DNS=a;", {"a"}},          // a trailing ";" gives no empty field
        {"RADIOIP=7;;", {"7", ""}}, // but an empty field between two does
        {"PER=;x", {"", "x"}},      // a leading ";" gives an empty field
        {"X=a=b;c", {"a=b", "c"}},  // only the first "=" separates
        {"DNS=", {}},
        {"no equals sign", {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(forms::itemFields(QString::fromLatin1(c.line)), c.fields) << c.line;
}

TEST(ReplyFields, ParameterPairs)
{
    using P = forms::ParameterPair;
    EXPECT_EQ(forms::parameterPairs(u"GET=1;01=A;1b=1"), (QList<P>{{"01", "A"}, {"1B", "1"}}));
    EXPECT_EQ(forms::parameterPairs(u"GET=1;;01=A"), (QList<P>{{"01", "A"}})); // empty part skipped
    EXPECT_EQ(forms::parameterPairs(u"GET=1;01=A;junk;02=B"),
              (QList<P>{{"01", "A"}})); // a part without "=" ends it
    EXPECT_EQ(forms::parameterPairs(u"GET=1;01=a=b"), (QList<P>{{"01", "a=b"}}));
    EXPECT_TRUE(forms::parameterPairs(u"GET=1").isEmpty());
}

TEST(ReplyFields, ASkippedStatementLetsACommunicationFailureThrough)
{
    bool after = false;
    forms::skipFailure([] { throw std::out_of_range("index"); });
    forms::skipFailure([&] { after = true; });
    EXPECT_TRUE(after);
    EXPECT_THROW(forms::skipFailure([] { throw session::CommError(); }), session::CommError);
}

class ReplyGrammar : public WindowFixture
{
protected:
    QString checkedOption(const char *array) const
    {
        return QString::number(w->optionGroup(QLatin1String(array))->checkedId());
    }
};

TEST_F(ReplyGrammar, ParameterRepliesOneAndSeveralPairsPerLine)
{
    feed(QStringLiteral("GET=1;01=Hadra Base\r\nGET=1;02=Ops;03=North Tower\r\nGET=1;10=192.168.1.1"));
    EXPECT_EQ(ui().txtSNMPName->text(), QStringLiteral("Hadra Base"));
    EXPECT_EQ(ui().txtSNMPContact->text(), QStringLiteral("Ops"));
    EXPECT_EQ(ui().txtSNMPLocation->text(), QStringLiteral("North Tower"));
    EXPECT_EQ(ui().txtEthernetIP->text(), QStringLiteral("192.168.1.1")); // the line without a line feed

    feed(
        QStringLiteral("get=1;11=255.255.0.0;2a=255.255.255.0;05=SN1;40=00:0A;47=12;33=30;34=180;43=6;1b=1"));
    EXPECT_EQ(w->cmboNetmask(0)->currentText(), QStringLiteral("255.255.0.0"));
    EXPECT_EQ(w->cmboNetmask(3)->currentText(), QStringLiteral("255.255.255.0"));
    EXPECT_EQ(ui().txtESN->text(), QStringLiteral("SN1"));
    EXPECT_EQ(ui().txtMACAddress->text(), QStringLiteral("00:0A"));
    EXPECT_EQ(ui().txtLocalID->text(), QStringLiteral("12"));
    EXPECT_EQ(ui().cmbRIPInterval->currentText(), QStringLiteral("30"));
    EXPECT_EQ(ui().cmbRIPExpire->currentText(), QStringLiteral("180"));
    EXPECT_EQ(ui().cmboRadioChannel->currentText(), QStringLiteral("6"));
    EXPECT_EQ(ui().lblRadioFrequency->text(), QStringLiteral("2437 MHz"));
    EXPECT_EQ(checkedOption("optRIPMulticast"), QStringLiteral("1"));
}

TEST_F(ReplyGrammar, ValuesThatChangeNothing)
{
    feed(QStringLiteral("GET=1;10=1.2.3.4;15=example.net;58=25\n"));
    feed(QStringLiteral("GET=1;10=N/A;15=not defined;99=x\nGET=1;15=NOT DEFINED\n"));
    EXPECT_EQ(ui().txtEthernetIP->text(), QStringLiteral("1.2.3.4"));
    EXPECT_EQ(ui().txtDNSDomainName->text(), QStringLiteral("example.net"));

    EXPECT_EQ(w->mvntRSSIThreshold, QStringLiteral("25"));
    feed(QStringLiteral("GET=1;58=high\n"));
    EXPECT_EQ(ui().cmbRSSIThreshold->currentText(), QStringLiteral("40"));
    EXPECT_EQ(w->mvntRSSIThreshold, QStringLiteral("25"));
}

TEST_F(ReplyGrammar, OptionIndexes)
{
    const struct
    {
        const char *code;
        const char *array;
        const char *value;
        const char *selected;
    } cases[] = {
        {"16", "optForwardingMode", "0", "0"},
        {"17", "optRIPActive", "1", "1"},
        {"18", "optRIPDefaultRoute", "1", "1"},
        {"1B", "optRIPMulticast", "0", "0"},
        {"1C", "optRIPStaticRouteUpdate", "1", "1"},
        {"30", "optDHCPMode", "1", "1"},
        {"41", "optRadioType", "1", "1"},
        // The unit counts RIP versions from 1.
        {"19", "optRIPVersion", "1", "0"},
        {"19", "optRIPVersion", "2", "1"},
        // No such option, or no number: the selection stays.
        {"41", "optRadioType", "2", "1"},
        {"41", "optRadioType", "-1", "1"},
        {"41", "optRadioType", "x", "1"},
    };
    for (const auto &c : cases) {
        feed(QStringLiteral("GET=1;%1=%2").arg(QLatin1String(c.code), QLatin1String(c.value)));
        EXPECT_EQ(checkedOption(c.array), QLatin1String(c.selected)) << c.code << "=" << c.value;
    }
}

TEST_F(ReplyGrammar, RegulatoryDomainRoutingModeSpeedAndRadioButton)
{
    feed(QStringLiteral("GET=1;42=4;43=13;45=11\r\n"));
    EXPECT_EQ(ui().cmboRegDomain->currentText(), QStringLiteral("ETSI"));
    EXPECT_EQ(ui().cmboRadioChannel->count(), 13);
    EXPECT_EQ(ui().cmboRadioSpeed->currentText(), QStringLiteral("11"));
    EXPECT_FALSE(ui().cmboRadioSpeed->isEnabled());
    feed(QStringLiteral("GET=1;42=7\nGET=1;42=0\n"));
    EXPECT_EQ(ui().cmboRegDomain->currentText(), QStringLiteral("ETSI"));

    feed(QStringLiteral("GET=1;14=2\n"));
    EXPECT_TRUE(w->chkRoutingMode(1)->isChecked());
    feed(QStringLiteral("GET=1;14=1\n"));
    EXPECT_EQ(w->chkRoutingMode(0)->checkState(), Qt::PartiallyChecked);

    QAction *radio = w->tlbrMainButton(QStringLiteral("RadioEnable"));
    feed(QStringLiteral("GET=1;52=0\n"));
    EXPECT_EQ(radioEnableImage(*w), kRadioOffImage);
    EXPECT_EQ(radio->toolTip(), QStringLiteral("Click to Enable Radio"));
    feed(QStringLiteral("GET=1;52=1\n"));
    EXPECT_EQ(radioEnableImage(*w), kRadioOnImage);
    EXPECT_EQ(radio->toolTip(), QStringLiteral("Click to Disable Radio"));
    feed(QStringLiteral("GET=1;52=on\n"));
    EXPECT_EQ(radioEnableImage(*w), kRadioOnImage);
}

TEST_F(ReplyGrammar, RoutesTrapsAndCommunities)
{
    feed(QStringLiteral(
        "IP ROUTE=1;START\r\nIP ROUTE=10.0.0.0;255.0.0.0;10.0.0.1;Static\r\nIP ROUTE=1;END\r\n>"));
    EXPECT_EQ(rowsOf(ui().lviewRouterRoutes),
              (Rows{{"10.0.0.0", "255.0.0.0", "10.0.0.1", "Static", "", ""}}));
    // The table's end widens a column to its longest value.
    QTreeWidget *routes = ui().lviewRouterRoutes;
    const int flagsWidth = routes->columnWidth(3);
    feed(QStringLiteral("IP ROUTE=1;START\r\nIP ROUTE=10.0.0.0;255.0.0.0;10.0.0.1;Directly connected\r\n"));
    EXPECT_EQ(routes->columnWidth(3), flagsWidth);
    feed(QStringLiteral("IP ROUTE=1;END\r\n"));
    EXPECT_GT(routes->columnWidth(3), flagsWidth);
    EXPECT_GE(routes->columnWidth(3), routes->fontMetrics().horizontalAdvance("Directly connected"));

    feed(QStringLiteral("SNMP TRAP=192.168.1.30;public\n"));
    EXPECT_EQ(rowsOf(ui().lviewTrapServers), (Rows{{"192.168.1.30", "public"}}));

    feed(QStringLiteral("SNMP COMMUNITY=a;R\nSNMP COMMUNITY=b;read\nSNMP COMMUNITY=c;Read\n"
                        "SNMP COMMUNITY=d;W\nSNMP COMMUNITY=e;RW\nSNMP COMMUNITY=f;x\n"));
    EXPECT_EQ(
        rowsOf(ui().lviewSNMPCommunities),
        (Rows{{"a", "read"}, {"b", "read"}, {"c", "read"}, {"d", "write"}, {"e", "write"}, {"f", "write"}}));
}

TEST_F(ReplyGrammar, InterfaceAndIpStatistics)
{
    feed(QStringLiteral("IFSTATS=Ethernet;8863;00:0A;1500;1;0\n"
                        "IFSTATS=Radio;101;8843;00:0B;1500;1;0\n"
                        "IFSTATS=LOOPBACK;8049;00:00;16384;1;1\n"));
    const Rows rows = rowsOf(ui().lviewIFStats);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].mid(0, 7), (QStringList{"Ethernet", "", "8863", "00:0A", "1500", "UP", "DOWN"}));
    EXPECT_EQ(rows[1].mid(0, 7), (QStringList{"Radio", "101", "8843", "00:0B", "1500", "UP", "DOWN"}));
    EXPECT_EQ(rows[2][0], QStringLiteral("loopback"));
    EXPECT_EQ(rows[2].mid(5, 2), (QStringList{"UP", "UP"}));
    EXPECT_FALSE(ui().lviewIFStats->topLevelItem(0)->icon(0).isNull());
    // Every field stands under its own caption, the last counter included.
    feed(QStringLiteral("IFSTATS=Radio;101;8843;00:0B;1500;1;2;11;12;13;14;15;16;17;18;19;20;21\n"));
    const QTreeWidgetItem *radio = ui().lviewIFStats->topLevelItem(3);
    const QTreeWidgetItem *captions = ui().lviewIFStats->headerItem();
    const auto under = [&](const char *caption) {
        for (int column = 0; column < captions->columnCount(); ++column)
            if (captions->text(column) == QLatin1String(caption))
                return radio->text(column);
        return QStringLiteral("(no such column)");
    };
    EXPECT_EQ(under("MTU"), QStringLiteral("1500"));
    EXPECT_EQ(under("Admin Status"), QStringLiteral("UP"));
    EXPECT_EQ(under("Operational Status"), QStringLiteral("DOWN"));
    EXPECT_EQ(under("Input Octets"), QStringLiteral("11"));
    EXPECT_EQ(under("Input Unknown Protocols"), QStringLiteral("16"));
    EXPECT_EQ(under("Output Errors"), QStringLiteral("21"));

    feed(QStringLiteral("IPSTATS=1;2;3\n"));
    const QStringList stats = rowsOf(ui().lviewIPStats).value(0);
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^[A-Z][a-z]{2} \\d{2} \\d{4} \\d{2}:\\d{2}:\\d{2} (AM|PM)$"))
            .match(stats.value(0))
            .hasMatch())
        << stats.value(0).toStdString();
    EXPECT_EQ(stats.mid(1, 4), (QStringList{"1", "2", "3", ""}));
}

TEST_F(ReplyGrammar, StationsRadioAddressesAndServers)
{
    w->optForwardingMode(0)->setChecked(true); // bridging: STATIONS items are listed too
    feed(QStringLiteral("STATIONS=1;START\nSTATIONS=101\nSTATIONS=101\nSTATIONS=\nSTATIONS=1;END\n"));
    EXPECT_EQ(ui().lviewStationsAdded->topLevelItemCount(), 2);
    EXPECT_EQ(w->StationChartTable.columnCount(), 1);
    EXPECT_EQ(ui().MSChartPacketLoss->chartData().value(0).label, QStringLiteral(" 101"));

    w->optForwardingMode(1)->setChecked(true);
    feed(QStringLiteral("STATIONS=102\n"));
    EXPECT_EQ(ui().lviewStationsAdded->topLevelItemCount(), 2);
    EXPECT_EQ(w->StationChartTable.columnCount(), 2);

    ui().lviewStationsAdded->clear();
    feed(QStringLiteral("GET=1;12=10.0.0.1\nRADIOIP=101;10.0.0.9;10.0.0.2\n"));
    EXPECT_EQ(ui().txtRadioIP->text(), QStringLiteral("10.0.0.9"));
    // A station saved without addresses (bridging) leaves the unit's radio address alone.
    feed(QStringLiteral("RADIOIP=7;;\n"));
    EXPECT_EQ(ui().txtRadioIP->text(), QStringLiteral("10.0.0.9"));
    EXPECT_EQ(rowsOf(ui().lviewStationsAdded), (Rows{{"101", "10.0.0.9", "10.0.0.2"}, {"7", "", ""}}));

    feed(QStringLiteral("DNS=1;START\nDNS=192.0.2.53;ignored\nDNS=;x\nDNS=1;END\nDHCP RELAY=192.168.1.20\n"));
    EXPECT_EQ(rowsOf(ui().lviewDNSServers), (Rows{{"192.0.2.53"}, {""}}));
    EXPECT_EQ(rowsOf(ui().lviewDHCPServers), (Rows{{"192.168.1.20"}}));
}

TEST_F(ReplyGrammar, PacketErrorRatesForKnownAndUnknownStations)
{
    linkset::StripChart &chart = *w->iStripChartX1(0);
    feed(QStringLiteral("PER=1;START\nPER=101;100;4;4.00\nPER=1;END\n"));
    EXPECT_EQ(w->StationChartTable.columnCount(), 1); // unknown: a column, then the displays are built
    EXPECT_EQ(chart.channelCount(), 1);
    EXPECT_EQ(ui().iLedMatrixX1->columnCount(), 1);
    EXPECT_EQ(chart.pointCount(), 1);

    feed(QStringLiteral("PER=1;START\nPER=101;200;14;7.00\nPER=1;END\n"));
    EXPECT_EQ(w->StationChartTable.columnCount(), 1);
    EXPECT_EQ(chart.pointCount(), 2);
    EXPECT_EQ(chart.channelData(0, 1), 7.0);
    EXPECT_TRUE(ui().iLedMatrixX1->indicatorActive(0, 3));
    EXPECT_FALSE(ui().iLedMatrixX1->indicatorActive(0, 2));
    EXPECT_EQ(ui().MSChartPacketLoss->chartData().value(0).value, 7.0);

    // A block cut short does not leave the chart frozen: the next line of another kind ends it.
    feed(QStringLiteral("PER=1;START\nPER=101;1;1;1.00\n"));
    EXPECT_TRUE(w->perBlockOpen);
    feed(QStringLiteral(">"));
    EXPECT_FALSE(w->perBlockOpen);
}

TEST_F(ReplyGrammar, CapabilitiesAreCaseSensitive)
{
    feed(QStringLiteral("CAPABILITY=rip;ospf;rssi\n"));
    EXPECT_TRUE(w->chkRoutingMode(1)->isHidden());
    EXPECT_TRUE(w->chkRoutingMode(2)->isHidden());
    EXPECT_FALSE(ui().RSSISubTab->isTabVisible(1));

    feed(QStringLiteral("CAPABILITY=RIP;OSPF;RSSI;FTP\n"));
    EXPECT_FALSE(w->chkRoutingMode(1)->isHidden());
    EXPECT_FALSE(w->chkRoutingMode(2)->isHidden());
    EXPECT_TRUE(ui().IPRoutingSubTab->isTabVisible(1));
    EXPECT_TRUE(ui().IPRoutingSubTab->isTabVisible(2));
    EXPECT_TRUE(ui().RSSISubTab->isTabVisible(1));
    EXPECT_FALSE(ui().chkHistoryRSSIMonitor->isHidden());
}

TEST_F(ReplyGrammar, SignalStrengthGoesToTheGaugeAndItsHistory)
{
    // The gauge keeps a reading only while the monitor runs, which needs an open port: a
    // pseudo-terminal with nobody behind it (the first poll is seconds away).
    PtyPeer peer;
    w->MSComm1->setDevices({peer.path()});
    w->MSComm1->setCommPort(1);
    w->MSComm1->setPortOpen(true);
    ui().chkRSSIMonitor->click();
    ASSERT_TRUE(ui().chkRSSIMonitor->isChecked());

    feed(QStringLiteral("RADIO RSSI=0;42\r\n>"));
    EXPECT_EQ(ui().iAngularGaugeX1->position(), 42.0);
    EXPECT_EQ(w->iStripChartX1(1)->channelData(0, 0), 42.0);
    feed(QStringLiteral("RADIO RSSI=0;strong\nRADIO RSSI=0;nan\n"));
    EXPECT_EQ(ui().iAngularGaugeX1->position(), 42.0);
    EXPECT_EQ(w->iStripChartX1(1)->pointCount(), 1);
    feed(QStringLiteral("RADIO RSSI=0;1e9\n"));
    EXPECT_EQ(ui().iAngularGaugeX1->position(), 65.0); // clamped to the scale
    w->MSComm1->setPortOpen(false);
}

TEST_F(ReplyGrammar, RipStatusLines)
{
    QCheckBox *rip = w->chkRoutingMode(1);
    feed(QStringLiteral("RIP Enabled\n"));
    EXPECT_TRUE(!rip->isHidden() && rip->isChecked());
    EXPECT_TRUE(ui().IPRoutingSubTab->isTabEnabled(1));
    feed(QStringLiteral("RIP Disabled\n"));
    EXPECT_TRUE(!rip->isHidden() && !rip->isChecked());
    EXPECT_FALSE(ui().IPRoutingSubTab->isTabEnabled(1));
    feed(QStringLiteral("rip: version 2\n"));
    EXPECT_TRUE(rip->isChecked());
}

TEST_F(ReplyGrammar, ARefusedSessionLineEndsWithItsMessage)
{
    // "RIP:" would switch RIP on if the refusal went on to the grammar; the next line does.
    feed(QStringLiteral("Session already in progress. RIP: busy\r\nGET=1;01=Next\r\n"));
    EXPECT_FALSE(w->chkRoutingMode(1)->isChecked());
    EXPECT_TRUE(boxes.titles().contains(QStringLiteral("Session In Progress")));
    EXPECT_EQ(ui().txtSNMPName->text(), QStringLiteral("Next"));
}

TEST_F(ReplyGrammar, ModelTextSetsTheCaption)
{
    feed(QStringLiteral("GET=1;04=Hadra v2.4\n"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Corvane Hadra v2.4 Configuration Utility"));
}

// Faulty input never crashes and leaves the window usable.
TEST_F(ReplyGrammar, FaultyInput)
{
    const std::string garbage[] = {
        "GET=1;",
        "GET=1;=",
        "GET=1;14=999999999999",
        "GET=1;42=-2147483648",
        "GET=1;48=",
        "PER=1;START",
        "PER=1;END",
        "PER=1;END",
        "PER=x",
        "PER=a;b;c;1e308",
        "PER=a;b;c;-5",
        "IFSTATS=",
        "IFSTATS=;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;",
        "RADIOIP=;",
        "STATIONS=;",
        "CAPABILITY=",
        "RADIO RSSI=0",
        "RADIO RSSI=0;1e9",
        "ROUTE=" + std::string(5000, ';'),
        "\x01\x02\xff\xfe",
        "=;=;=;",
    };
    for (const std::string &line : garbage)
        feed(QString::fromLatin1(line.data(), qsizetype(line.size())) + QStringLiteral("\r\n"));
    QRandomGenerator random(7);
    for (int i = 0; i < 200; ++i) {
        QByteArray bytes(random.bounded(1, 200), '\0');
        for (char &c : bytes)
            c = "GET=1;PERSTAIONCAPBLITY0123456789.;=\n\r "[random.bounded(39)];
        feed(QString::fromLatin1(bytes));
    }
    EXPECT_LE(ui().iLedMatrixX1->columnCount(), 21);
    feed(QStringLiteral("GET=1;01=still working\n"));
    EXPECT_EQ(ui().txtSNMPName->text(), QStringLiteral("still working"));
}

TEST_F(ReplyGrammar, AMillionLines)
{
    QString text;
    text.reserve(20'000'000);
    for (int i = 0; i < 1'000'000; ++i)
        text +=
            i % 1000 == 0 ? QStringLiteral("GET=1;47=%1\r\n").arg(i) : QStringLiteral("noise %1\r\n").arg(i);
    feed(text);
    EXPECT_EQ(ui().txtLocalID->text(), QStringLiteral("999000"));
}
