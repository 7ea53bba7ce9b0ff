// The control's properties and methods: errors, design-time rules, screen sizes,
// selection, writing, persistence, printing and the library exports.
#include "glyphterm/emulator.h"
#include "glyphterm/screen.h"
#include "glyphterm/terminal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <functional>
#include <utility>

using namespace glyphterm;

namespace {

int errorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const ControlError &error) {
        return error.number();
    }
    return 0;
}

QString screenText(const Terminal &terminal, int start, int count)
{
    QByteArray buffer(count + 1, '\0');
    const int copied = TermGetText(terminal.screenHandle(), start, buffer.data(), count);
    return QString::fromLatin1(buffer.constData(), copied);
}

// The size of the control's screen, columns by rows.
std::pair<int, int> screenSize(const Terminal &terminal)
{
    int columns = 0;
    int rows = 0;
    TermGetSize(terminal.screenHandle(), &columns, &rows);
    return {columns, rows};
}

TEST(Control, BadValuesRaiseTheStandardErrors)
{
    Terminal terminal;
    EXPECT_EQ(errorOf([&] { terminal.setAction(9); }), 380);
    EXPECT_EQ(terminal.Action(), 9); // stored all the same
    EXPECT_EQ(errorOf([&] { terminal.setAction(-1); }), 380);
    EXPECT_EQ(errorOf([&] { terminal.setMousePointer(16); }), 380);
    EXPECT_EQ(errorOf([&] { terminal.setMousePointer(-1); }), 380);
    EXPECT_EQ(errorOf([&] { terminal.setMousePointer(15); }), 0);
    EXPECT_EQ(errorOf([&] { terminal.setMousePointer(2); }), 0);
    EXPECT_EQ(terminal.viewport()->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(errorOf([&] { terminal.setCellWidth(3); }), 383);
    EXPECT_EQ(errorOf([&] { terminal.setCellHeight(3); }), 383);
    EXPECT_EQ(errorOf([&] { terminal.setSelText(QStringLiteral("x")); }), 383);
    EXPECT_EQ(errorOf([&] { terminal.Output(); }), 394);
}

TEST(Control, RunTimePropertiesCannotBeReadAtDesignTime)
{
    Terminal terminal;
    terminal.setUserMode(false);
    const std::function<void()> reads[] = {
        [&] { terminal.Action(); },    [&] { terminal.SelLength(); },  [&] { terminal.SelStart(); },
        [&] { terminal.Attribute(); }, [&] { terminal.CellHeight(); }, [&] { terminal.CellWidth(); },
        [&] { terminal.SelText(); },   [&] { terminal.KeyMap(0); },    [&] { terminal.Printer(); },
        [&] { terminal.NoRefresh(); },
    };
    for (const auto &read : reads)
        EXPECT_EQ(errorOf(read), 394);
    // Design-time properties stay readable and writable.
    terminal.setColumns(132);
    EXPECT_EQ(terminal.Columns(), 132);
    EXPECT_TRUE(terminal.AutoWrap());
    terminal.setUserMode(true);
    EXPECT_GT(terminal.CellHeight(), 0);
    EXPECT_GT(terminal.CellWidth(), 0);
}

TEST(Control, DesignTimeDrawingShowsOnlyTheBackground)
{
    Terminal terminal;
    terminal.setBackColor(rgb(10, 20, 30));
    QString text = QStringLiteral("\033[7m        ");
    terminal.Write(text, static_cast<short>(text.size()));
    QImage image(200, 60, QImage::Format_RGB32);
    const auto draw = [&] {
        image.fill(Qt::magenta);
        QPainter painter(&image);
        TermSetClientSize(terminal.screenHandle(), 200, 60);
        terminal.draw(painter, image.rect());
    };
    terminal.setUserMode(false);
    draw();
    EXPECT_EQ(image.pixel(2, 2), qRgb(10, 20, 30));
    terminal.setUserMode(true);
    draw();
    EXPECT_EQ(image.pixel(2, 2), qRgb(0, 0, 0)); // reversed blanks: the reverse pair's background
    EXPECT_EQ(image.pixel(199, 59), qRgb(10, 20, 30));
}

TEST(Control, OutOfRangeSizesKeepTheOldScreen)
{
    Terminal terminal;
    terminal.setOutput(QStringLiteral("kept"));
    terminal.setColumns(300);
    EXPECT_EQ(terminal.Columns(), 300);
    EXPECT_EQ(screenSize(terminal).first, 80);
    EXPECT_EQ(screenText(terminal, 0, 4), QStringLiteral("kept"));
    terminal.setColumns(100); // valid again: a new, cleared screen
    EXPECT_EQ(screenSize(terminal).first, 100);
    EXPECT_EQ(screenText(terminal, 0, 4), QStringLiteral("    "));
    terminal.setRows(4);
    EXPECT_EQ(screenSize(terminal).second, 25);
    EXPECT_EQ(terminal.Rows(), 4);
}

TEST(Control, SelTextExtractsCellsFromTheSelection)
{
    Terminal terminal;
    terminal.setSelStart(0);
    terminal.setSelLength(5);
    EXPECT_EQ(terminal.SelText(), QStringLiteral("     "));
    terminal.setOutput(QStringLiteral("Hello\r\nworld"));
    EXPECT_EQ(terminal.SelText(), QStringLiteral("Hello"));
    terminal.setSelStart(80);
    EXPECT_EQ(terminal.SelText(), QStringLiteral("world"));
    terminal.setSelStart(-1); // the cursor's cell, after "world"
    terminal.setSelLength(2);
    EXPECT_EQ(terminal.SelText(), QStringLiteral("  "));
    terminal.setSelLength(0);
    EXPECT_EQ(terminal.SelText(), QString());
    terminal.setSelStart(80 * 25 - 2);
    terminal.setSelLength(10);
    EXPECT_EQ(terminal.SelText().size(), 2);
}

TEST(Control, WriteOutputAndNewLine)
{
    Terminal terminal;
    QString buffer = QStringLiteral("abcdef");
    terminal.Write(buffer, 3);
    EXPECT_EQ(screenText(terminal, 0, 4), QStringLiteral("abc "));
    terminal.Write(buffer, 100); // fewer when the buffer is shorter
    EXPECT_EQ(terminal.CursorX(), 9);
    terminal.setOutput(QString::fromLatin1("\r\nxy\0z", 6));
    EXPECT_EQ(screenText(terminal, 80, 3), QStringLiteral("xy "));

    terminal.setNewLine(nlLF);
    terminal.setOutput(QStringLiteral("ab\ncd"));
    EXPECT_EQ(terminal.CursorX(), 2);
    EXPECT_EQ(terminal.CursorY(), 2);
    terminal.setNewLine(nlCR);
    terminal.setOutput(QStringLiteral("\r"));
    EXPECT_EQ(terminal.CursorY(), 3);
    terminal.setNewLine(nlCRLF);
    terminal.setOutput(QStringLiteral("\r"));
    EXPECT_EQ(terminal.CursorY(), 3);

    terminal.setCursorX(500);
    terminal.setCursorY(7);
    EXPECT_EQ(terminal.CursorX(), 79);
    EXPECT_EQ(terminal.CursorY(), 7);
    terminal.setAttribute(AttrBold);
    terminal.setOutput(QStringLiteral("\033[4m"));
    EXPECT_EQ(terminal.Attribute(), AttrBold | AttrUnderline);
}

TEST(Control, ActionsEditTheScreen)
{
    Terminal terminal;
    terminal.setOutput(QStringLiteral("line one\r\nline two"));
    terminal.setCursorY(0);
    terminal.setAction(3); // insert line
    EXPECT_EQ(screenText(terminal, 80, 8), QStringLiteral("line one"));
    terminal.setAction(4); // delete line
    EXPECT_EQ(screenText(terminal, 0, 8), QStringLiteral("line one"));
    terminal.setAction(5); // scroll up
    EXPECT_EQ(screenText(terminal, 0, 8), QStringLiteral("line two"));
    terminal.setCursorX(4);
    terminal.setAction(2); // clear to end of line
    EXPECT_EQ(screenText(terminal, 0, 8), QStringLiteral("line    "));
    terminal.setAction(1);
    EXPECT_EQ(screenText(terminal, 0, 8), QStringLiteral("        "));
    EXPECT_EQ(terminal.Action(), 1);
}

TEST(Control, PrintActionWritesThePdfNamedByPrinter)
{
    QTemporaryDir dir;
    Terminal terminal;
    terminal.setOutput(QStringLiteral("printed"));
    const QString path = dir.filePath(QStringLiteral("control.pdf"));
    terminal.setPrinter(path);
    terminal.setAction(8);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
}

TEST(Control, PropertiesSurviveASaveAndLoad)
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("props.ini")), QSettings::IniFormat);
    {
        Terminal saved;
        saved.setAutoWrap(false);
        saved.setBell(false);
        saved.setBoldColor(rgb(1, 2, 3));
        saved.setColumns(132);
        saved.setRows(40);
        saved.setCursor(false);
        saved.setCursorStyle(csBlock);
        saved.setEmulation(emVT220);
        saved.setNewLine(nlLF);
        saved.setBackColor(rgb(4, 5, 6));
        saved.setForeColor(rgb(7, 8, 9));
        saved.setBorderStyle(1);
        saved.setFontName(QStringLiteral("DejaVu Sans Mono"));
        saved.setFontSize(11);
        saved.setFontBold(true);
        settings.beginGroup(QStringLiteral("Terminal1"));
        saved.saveProperties(settings);
        settings.endGroup();
    }
    Terminal loaded;
    settings.beginGroup(QStringLiteral("Terminal1"));
    loaded.loadProperties(settings);
    settings.endGroup();
    EXPECT_FALSE(loaded.AutoWrap());
    EXPECT_FALSE(loaded.Bell());
    EXPECT_EQ(loaded.BoldColor(), rgb(1, 2, 3));
    EXPECT_EQ(loaded.Columns(), 132);
    EXPECT_EQ(loaded.Rows(), 40);
    EXPECT_FALSE(loaded.Cursor());
    EXPECT_EQ(loaded.CursorStyle(), csBlock);
    EXPECT_EQ(loaded.Emulation(), emVT220);
    EXPECT_EQ(loaded.NewLine(), nlLF);
    EXPECT_EQ(loaded.BackColor(), rgb(4, 5, 6));
    EXPECT_EQ(loaded.ForeColor(), rgb(7, 8, 9));
    EXPECT_EQ(loaded.BorderStyle(), 1);
    EXPECT_EQ(loaded.FontName(), QStringLiteral("DejaVu Sans Mono"));
    EXPECT_FLOAT_EQ(loaded.FontSize(), 11);
    EXPECT_TRUE(loaded.FontBold());
    EXPECT_EQ(screenSize(loaded), std::make_pair(132, 40)); // the screen follows the properties
    std::uint32_t modes = 0;
    TermGetModes(loaded.screenHandle(), &modes);
    EXPECT_EQ(modes & (ModeAutoWrap | ModeBell | ModeCursorVisible | ModeBlockCursor | ModeLfNewLine),
              ModeBlockCursor | ModeLfNewLine);
}

// Whether ESC [ 31 m gives the written text an explicit colour.
bool takesSgrColour(Terminal &terminal)
{
    terminal.setOutput(QStringLiteral("\033[31mX\033[0;29m"));
    TermCell cell{};
    TermGetCell(terminal.screenHandle(), 0, 0, &cell);
    terminal.setOutput(QStringLiteral("\033[H"));
    return (cell.attribute & AttrExplicitFore) != 0;
}

TEST(Control, TheEmulationBeforeTheFirstShowDecidesTheColourMode)
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("props.ini")), QSettings::IniFormat);
    settings.setValue(QStringLiteral("Emulation"), emVT100);
    struct Case
    {
        const char *name;
        std::function<void(Terminal &)> beforeShow;
        bool colour;
    };
    const Case cases[] = {
        {"set to VT100", [](Terminal &t) { t.setEmulation(emVT100); }, false},
        {"loaded as VT100", [&](Terminal &t) { t.loadProperties(settings); }, false},
        {"VT100, then VT220",
         [](Terminal &t) {
             t.setEmulation(emVT100);
             t.setEmulation(emVT220);
         },
         true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Terminal terminal;
        c.beforeShow(terminal);
        terminal.show();
        EXPECT_EQ(takesSgrColour(terminal), c.colour);
    }
    // Once shown, a change of emulation keeps the colour mode the screen has.
    Terminal ansi;
    ansi.show();
    ansi.setEmulation(emVT100);
    EXPECT_TRUE(takesSgrColour(ansi));
    Terminal vt100;
    vt100.setEmulation(emVT100);
    vt100.show();
    vt100.setEmulation(emAnsi);
    EXPECT_FALSE(takesSgrColour(vt100));
}

TEST(Control, LoadingTakesDefaultsAndResetsAProportionalFont)
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("props.ini")), QSettings::IniFormat);
    settings.setValue(QStringLiteral("Font"), QFont(QStringLiteral("DejaVu Serif"), 14).toString());
    Terminal terminal;
    terminal.setAutoWrap(false);
    terminal.setEmulation(emNone);
    terminal.setBoldColor(rgb(9, 9, 9));
    terminal.loadProperties(settings);
    EXPECT_EQ(terminal.FontName(), QStringLiteral("Terminal"));
    EXPECT_FLOAT_EQ(terminal.FontSize(), 9);
    EXPECT_FALSE(terminal.FontBold());
    EXPECT_TRUE(terminal.AutoWrap());
    EXPECT_EQ(terminal.Emulation(), emAnsi);
    EXPECT_EQ(terminal.Columns(), 80);
    EXPECT_EQ(terminal.BoldColor(), rgb(9, 9, 9)); // no default: kept

    terminal.setSelStart(3);
    terminal.setSelLength(4);
    terminal.setColumns(90);
    terminal.ResetState();
    EXPECT_EQ(terminal.SelStart(), 0);
    EXPECT_EQ(terminal.SelLength(), 0);
    EXPECT_EQ(terminal.Columns(), 80);
}

// The exports as a container reaches them: looked up in the loaded library by name.
class LibraryExports : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Dl_info info{};
        ASSERT_TRUE(dladdr(reinterpret_cast<void *>(&TermWrite), &info));
        library_ = dlopen(info.dli_fname, RTLD_NOW);
        ASSERT_NE(library_, nullptr);
    }
    void TearDown() override { dlclose(library_); }
    template <typename Function> Function find(const char *name)
    {
        return reinterpret_cast<Function>(dlsym(library_, name));
    }
    void *library_ = nullptr;
};

TEST_F(LibraryExports, VersionRecordIsCheckedAndFilledIn)
{
    const auto getVersion = find<DllGetVersionFunction>("DllGetVersion");
    ASSERT_NE(getVersion, nullptr);
    EXPECT_EQ(getVersion(nullptr), E_POINTER);
    DLLVERSIONINFO info{};
    info.cbSize = 24;
    EXPECT_EQ(getVersion(&info), E_INVALIDARG);
    info.cbSize = 20;
    EXPECT_EQ(getVersion(&info), S_OK);
    EXPECT_EQ(info.dwMajorVersion, 3u);
    EXPECT_EQ(info.dwMinorVersion, 20u);
    EXPECT_EQ(info.dwBuildNumber, 3201u);
    EXPECT_EQ(info.dwPlatformID, 1u);
}

TEST_F(LibraryExports, RegistrationFactoryAndUnloadTest)
{
    const auto registerServer = find<DllRegisterServerFunction>("DllRegisterServer");
    const auto unregisterServer = find<DllUnregisterServerFunction>("DllUnregisterServer");
    const auto getClassObject = find<DllGetClassObjectFunction>("DllGetClassObject");
    const auto canUnloadNow = find<DllCanUnloadNowFunction>("DllCanUnloadNow");
    ASSERT_TRUE(registerServer && unregisterServer && getClassObject && canUnloadNow);

    const QString registryPath = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                                 QStringLiteral("/Brixel/controls.conf");
    const QString classGroup = QStringLiteral("{3F6A2C13-5D1B-4E7A-9C42-7B1E0A6D2F58}");
    const QString dispatchGroup = QStringLiteral("{3F6A2C11-5D1B-4E7A-9C42-7B1E0A6D2F58}");
    const QString eventsGroup = QStringLiteral("{3F6A2C12-5D1B-4E7A-9C42-7B1E0A6D2F58}");
    {
        // A stale registration of an older build: its extra keys must not survive.
        QSettings stale(registryPath, QSettings::IniFormat);
        stale.setValue(classGroup + QStringLiteral("/InprocHandler"), QStringLiteral("old.so"));
        stale.setValue(dispatchGroup + QStringLiteral("/ProxyStub"), QStringLiteral("old"));
        stale.setValue(QStringLiteral("Brixel.TerminalCtrl.1/Library"),
                       QStringLiteral("/old/libglyphterm.so"));
    }
    ASSERT_EQ(registerServer(), S_OK);
    {
        QSettings registry(registryPath, QSettings::IniFormat);
        EXPECT_FALSE(registry.contains(classGroup + QStringLiteral("/InprocHandler")));
        EXPECT_FALSE(registry.contains(dispatchGroup + QStringLiteral("/ProxyStub")));
        const std::pair<QString, const char *> interfaces[] = {{dispatchGroup, "_DTerminal"},
                                                               {eventsGroup, "_DTerminalEvents"}};
        for (const auto &[group, name] : interfaces) {
            EXPECT_EQ(registry.value(group + QStringLiteral("/TypeName")).toString(), QLatin1String(name));
            EXPECT_EQ(registry.value(group + QStringLiteral("/TypeLib")).toString(),
                      QStringLiteral("{3F6A2C10-5D1B-4E7A-9C42-7B1E0A6D2F58}"));
        }
        EXPECT_EQ(registry.value(dispatchGroup + QStringLiteral("/HelpString")).toString(),
                  QStringLiteral("Dispatch interface for Terminal Emulation Control"));
        EXPECT_EQ(registry.value(eventsGroup + QStringLiteral("/HelpString")).toString(),
                  QStringLiteral("Event interface for Brixel Terminal Emulation Control"));
    }
    {
        QSettings registry(registryPath, QSettings::IniFormat);
        const QString classId = registry.value(QStringLiteral("Brixel.TerminalCtrl.1/CLSID")).toString();
        EXPECT_EQ(classId, QStringLiteral("{3F6A2C13-5D1B-4E7A-9C42-7B1E0A6D2F58}"));
        const QString library = registry.value(QStringLiteral("Brixel.TerminalCtrl.1/Library")).toString();
        EXPECT_TRUE(library.contains(QStringLiteral("/libglyphterm.so"))) << library.toStdString();
        registry.beginGroup(classId);
        EXPECT_EQ(registry.value(QStringLiteral("ProgID")).toString(),
                  QStringLiteral("Brixel.TerminalCtrl.1"));
        EXPECT_EQ(registry.value(QStringLiteral("TypeName")).toString(),
                  QStringLiteral("Brixel Terminal Emulation Control"));
    }

    void *object = nullptr;
    EXPECT_EQ(getClassObject(&DIID__DTerminal, &IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(getClassObject(&CLSID_Terminal, &DIID__DTerminal, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    ASSERT_EQ(getClassObject(&CLSID_Terminal, &IID_IClassFactory, &object), S_OK);
    auto *factory = static_cast<IClassFactory *>(object);
    EXPECT_EQ(canUnloadNow(), S_OK);
    QObject *control = nullptr;
    QObject notAWidget;
    EXPECT_EQ(factory->CreateInstance(&notAWidget, &control), E_INVALIDARG);
    ASSERT_EQ(factory->CreateInstance(nullptr, &control), S_OK);
    ASSERT_NE(qobject_cast<Terminal *>(control), nullptr);
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    delete control;
    EXPECT_EQ(canUnloadNow(), S_OK);
    factory->LockServer(true);
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    factory->LockServer(false);

    ASSERT_EQ(unregisterServer(), S_OK);
    QSettings registry(registryPath, QSettings::IniFormat);
    EXPECT_FALSE(registry.contains(QStringLiteral("Brixel.TerminalCtrl.1/CLSID")));
    EXPECT_FALSE(registry.contains(dispatchGroup + QStringLiteral("/TypeName")));
    EXPECT_FALSE(registry.contains(eventsGroup + QStringLiteral("/TypeName")));
}

TEST(PropertyPage, ShowsTheControlsValuesAndAppliesTheEditedOnes)
{
    Terminal terminal;
    terminal.setUserMode(false);
    terminal.setEmulation(emVT100);
    terminal.setBell(false);
    CTerminalPropPage page(terminal);
    auto *emulation = page.findChild<QComboBox *>(QStringLiteral("cmbEmulation"));
    auto *columns = page.findChild<QSpinBox *>(QStringLiteral("spnColumns"));
    auto *rows = page.findChild<QSpinBox *>(QStringLiteral("spnRows"));
    auto *bell = page.findChild<QCheckBox *>(QStringLiteral("chkBell"));
    auto *wrap = page.findChild<QCheckBox *>(QStringLiteral("chkAutoWrap"));
    ASSERT_TRUE(emulation && columns && rows && bell && wrap);
    EXPECT_EQ(emulation->currentText(), QStringLiteral("VT100"));
    EXPECT_FALSE(bell->isChecked());
    EXPECT_TRUE(wrap->isChecked());
    columns->setValue(200); // the page allows 80 to 132
    EXPECT_EQ(columns->value(), 132);
    rows->setValue(24);
    emulation->setCurrentIndex(emVT220);
    wrap->setChecked(false);
    page.apply();
    EXPECT_EQ(terminal.Columns(), 132);
    EXPECT_EQ(terminal.Rows(), 24);
    EXPECT_EQ(terminal.Emulation(), emVT220);
    EXPECT_FALSE(terminal.AutoWrap());
}

} // namespace
