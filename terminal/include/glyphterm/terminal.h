// Terminal: the terminal emulation control. It shows one screen, interprets the host
// output a container writes into it, and hands the host sequences of special keys to
// the container through the KeyMapped event. It has no connection of its own.
//
// Properties are getters and setters under their names (also Q_PROPERTY), methods are
// public members, events are signals; arguments passed by reference are reference
// parameters, so connect with a direct connection to change them. A failure raises
// ControlError.
#pragma once

#include "glyphterm/screen.h"

#include <QAbstractScrollArea>
#include <QDialog>
#include <QString>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

class QSettings;
namespace Ui {
class CTerminalPropPage;
}

namespace glyphterm {

enum enumCursorStyle : short
{
    csUnderline = 0,
    csBlock = 1
};
enum enumNewLine : short
{
    nlCRLF = 0,
    nlCR = 1,
    nlLF = 2
};
// enumEmulation (emNone, emAnsi, emVT100, emVT220) is in screen.h.

// OLE_COLOR: 0x00BBGGRR, or 0x800000nn for system colour nn.
using OLE_COLOR = std::uint32_t;

// A raised control error: the standard control error numbers.
class ControlError : public std::runtime_error
{
public:
    ControlError(int number, const std::string &description)
        : std::runtime_error(description), number_(number)
    {}
    int number() const { return number_; }
    QString description() const { return QString::fromStdString(what()); }

private:
    int number_;
};

enum ControlErrorNumber : int
{
    ErrOutOfMemory = 7,
    ErrInvalidPropertyValue = 380,
    ErrInvalidPropertyArrayIndex = 381,
    ErrPropertyReadOnly = 383,
    ErrPropertyNotReadable = 394,
};

// ---- Class identity -----------------------------------------------------------------

struct GUID
{
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];
    friend bool operator==(const GUID &, const GUID &) = default;
};

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"
QString guidString(const GUID &guid);

// G0..G4: type library, dispatch interface, event interface, control class, property page.
inline constexpr GUID LIBID_TerminalCtrl{
    0x3F6A2C10, 0x5D1B, 0x4E7A, {0x9C, 0x42, 0x7B, 0x1E, 0x0A, 0x6D, 0x2F, 0x58}};
inline constexpr GUID DIID__DTerminal{
    0x3F6A2C11, 0x5D1B, 0x4E7A, {0x9C, 0x42, 0x7B, 0x1E, 0x0A, 0x6D, 0x2F, 0x58}};
inline constexpr GUID DIID__DTerminalEvents{
    0x3F6A2C12, 0x5D1B, 0x4E7A, {0x9C, 0x42, 0x7B, 0x1E, 0x0A, 0x6D, 0x2F, 0x58}};
inline constexpr GUID CLSID_Terminal{
    0x3F6A2C13, 0x5D1B, 0x4E7A, {0x9C, 0x42, 0x7B, 0x1E, 0x0A, 0x6D, 0x2F, 0x58}};
inline constexpr GUID CLSID_TerminalPropPage{
    0x3F6A2C14, 0x5D1B, 0x4E7A, {0x9C, 0x42, 0x7B, 0x1E, 0x0A, 0x6D, 0x2F, 0x58}};
// The class-factory interface DllGetClassObject hands out.
inline constexpr GUID IID_IClassFactory{
    0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

inline constexpr char TerminalProgId[] = "Brixel.TerminalCtrl.1";
inline constexpr char TerminalTypeName[] = "Brixel Terminal Emulation Control";
inline constexpr char TerminalPropertyPageProgId[] = "Brixel.TerminalPropPage.1";
inline constexpr char TerminalPropertyPageName[] = "Brixel Terminal Property Page";
inline constexpr char TerminalTypeLibraryName[] = "TerminalCtrl";
inline constexpr char TerminalTypeLibraryHelp[] = "Brixel Terminal Emulation Control";
inline constexpr char TerminalDispatchHelp[] = "Dispatch interface for Terminal Emulation Control";
inline constexpr char TerminalEventsHelp[] = "Event interface for Brixel Terminal Emulation Control";
inline constexpr std::uint32_t TerminalMiscStatus = 0x20191;

class Terminal : public QAbstractScrollArea
{
    Q_OBJECT
    Q_PROPERTY(short Action READ Action WRITE setAction)
    Q_PROPERTY(bool AutoWrap READ AutoWrap WRITE setAutoWrap)
    Q_PROPERTY(bool Bell READ Bell WRITE setBell)
    Q_PROPERTY(quint32 BoldColor READ BoldColor WRITE setBoldColor)
    Q_PROPERTY(short Columns READ Columns WRITE setColumns)
    Q_PROPERTY(bool Cursor READ Cursor WRITE setCursor)
    Q_PROPERTY(short CursorStyle READ CursorStyle WRITE setCursorStyle)
    Q_PROPERTY(short Emulation READ Emulation WRITE setEmulation)
    Q_PROPERTY(short NewLine READ NewLine WRITE setNewLine)
    Q_PROPERTY(short Rows READ Rows WRITE setRows)
    Q_PROPERTY(short SelLength READ SelLength WRITE setSelLength)
    Q_PROPERTY(short SelStart READ SelStart WRITE setSelStart)
    Q_PROPERTY(short Attribute READ Attribute WRITE setAttribute)
    Q_PROPERTY(int CellHeight READ CellHeight)
    Q_PROPERTY(int CellWidth READ CellWidth)
    Q_PROPERTY(short CursorX READ CursorX WRITE setCursorX)
    Q_PROPERTY(short CursorY READ CursorY WRITE setCursorY)
    Q_PROPERTY(QString SelText READ SelText)
    Q_PROPERTY(QString FontName READ FontName WRITE setFontName)
    Q_PROPERTY(float FontSize READ FontSize WRITE setFontSize)
    Q_PROPERTY(bool FontBold READ FontBold WRITE setFontBold)
    Q_PROPERTY(short MousePointer READ MousePointer WRITE setMousePointer)
    Q_PROPERTY(QString Printer READ Printer WRITE setPrinter)
    Q_PROPERTY(bool NoRefresh READ NoRefresh WRITE setNoRefresh)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(short BorderStyle READ BorderStyle WRITE setBorderStyle)

public:
    explicit Terminal(QWidget *parent = nullptr);
    ~Terminal() override;

    // The widget's own setAttribute and setCursor stay usable beside the properties of
    // the same names.
    using QAbstractScrollArea::setAttribute;
    using QAbstractScrollArea::setCursor;

    // The container's user-mode ambient: true at run time (the default), false at
    // design time.
    bool userMode() const { return userMode_; }
    void setUserMode(bool runTime);

    short Action() const;
    void setAction(short value);
    bool AutoWrap() const { return autoWrap_; }
    void setAutoWrap(bool value);
    bool Bell() const { return bell_; }
    void setBell(bool value);
    OLE_COLOR BoldColor() const { return boldColor_; }
    void setBoldColor(OLE_COLOR value);
    short Columns() const { return columns_; }
    void setColumns(short value);
    bool Cursor() const { return cursor_; }
    // The cursor-visible property; the mouse cursor over the control is MousePointer.
    void setCursor(bool value);
    short CursorStyle() const { return cursorStyle_; }
    void setCursorStyle(short value);
    short Emulation() const { return emulation_; }
    void setEmulation(short value);
    short NewLine() const { return newLine_; }
    void setNewLine(short value);
    short Rows() const { return rows_; }
    void setRows(short value);
    short SelLength() const;
    void setSelLength(short value) { selLength_ = value; }
    short SelStart() const;
    void setSelStart(short value) { selStart_ = value; }
    short Attribute() const;
    void setAttribute(short value);
    int CellHeight() const;
    void setCellHeight(int value);
    int CellWidth() const;
    void setCellWidth(int value);
    short CursorX() const;
    void setCursorX(short value);
    short CursorY() const;
    void setCursorY(short value);
    QString Output() const;
    void setOutput(const QString &text);
    QString SelText() const;
    void setSelText(const QString &value);
    QString FontName() const;
    void setFontName(const QString &value);
    float FontSize() const;
    void setFontSize(float value);
    bool FontBold() const;
    void setFontBold(bool value);
    short MousePointer() const { return mousePointer_; }
    void setMousePointer(short value);
    QString KeyMap(short KeyCode) const;
    void setKeyMap(short KeyCode, const QString &value);
    QString Printer() const;
    void setPrinter(const QString &value) { printer_ = value; }
    bool NoRefresh() const;
    void setNoRefresh(bool value);

    // Stock properties. Font is the widget's font: a change updates the screen's font.
    OLE_COLOR BackColor() const { return backColor_; }
    void setBackColor(OLE_COLOR value);
    OLE_COLOR ForeColor() const { return foreColor_; }
    void setForeColor(OLE_COLOR value);
    short BorderStyle() const { return borderStyle_; }
    void setBorderStyle(short value);
    QFont Font() const { return font(); }
    bool Enabled() const { return isEnabled(); }
    WId hWnd() const;
    void setHWnd(WId value);

    void Clear();
    void ClearEol();
    void InsLine();
    void DelLine();
    void ScrollUp();
    void ScrollDown();
    void Write(QString &Buffer, short Length);
    void Refresh();
    void AboutBox();

    // Persistence into the current group of `settings`, in the stored order; loading
    // takes the default of every missing entry.
    void saveProperties(QSettings &settings) const;
    void loadProperties(QSettings &settings);
    // The container's reset-state request.
    void ResetState();

    // The control's draw routine: paints the screen (or, at design time or without a
    // screen, the background) into `painter`, clipped to `bounds`.
    void draw(QPainter &painter, const QRect &bounds);

    // The screen handle (-1 when the screen could not be created).
    int screenHandle() const { return handle_; }

signals:
    void Change();
    void KeyMapped(short &KeyCode, short &Shift, QString &KeyString);
    void Resize();
    void Click();
    void DblClick();
    void KeyDown(short &KeyCode, short Shift);
    void KeyPress(short &KeyAscii);
    void KeyUp(short &KeyCode, short Shift);
    void MouseDown(short Button, short Shift, int x, int y);
    void MouseMove(short Button, short Shift, int x, int y);
    void MouseUp(short Button, short Shift, int x, int y);

protected:
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    struct PersistedProperties;
    void applyProperties(const PersistedProperties &values);
    void requireRunTime() const;
    void resizeScreen();
    void applyMousePointer();
    QString keySequence(int index, bool forKeyMapped) const;
    void writeBytes(const QByteArray &bytes);

    int handle_ = -1;
    bool userMode_ = true;
    short action_ = 0;
    bool autoWrap_ = true;
    bool bell_ = true;
    OLE_COLOR boldColor_ = DefaultBoldColour;
    short columns_ = 80;
    bool cursor_ = true;
    short cursorStyle_ = csUnderline;
    short emulation_ = emAnsi;
    short mousePointer_ = 0;
    short newLine_ = nlCRLF;
    bool noRefresh_ = false;
    QString printer_;
    short rows_ = 25;
    short selLength_ = 0;
    short selStart_ = 0;
    OLE_COLOR backColor_ = DefaultBackground;
    OLE_COLOR foreColor_ = DefaultForeground;
    short borderStyle_ = 0;
    bool pressedInside_ = false;
    bool shown_ = false; // the control has been shown at least once
};

// The design-time property page: emulation, columns (80-132), rows (24-25), auto-wrap,
// bell and cursor of one control, applied on Apply or OK.
class CTerminalPropPage : public QDialog
{
    Q_OBJECT

public:
    explicit CTerminalPropPage(Terminal &terminal, QWidget *parent = nullptr);
    ~CTerminalPropPage() override;

    void apply();

private:
    std::unique_ptr<::Ui::CTerminalPropPage> ui_;
    Terminal &terminal_;
};

} // namespace glyphterm

namespace glyphterm {

// ---- Library exports ----------------------------------------------------------------
//
// The library exports, with C linkage, the functions every component library exports:
//
//   HRESULT DllRegisterServer();    class, ProgID, type library and property page into the
//                                   per-user component registry: S_OK or SELFREG_E_CLASS
//   HRESULT DllUnregisterServer();  removes them again
//   HRESULT DllGetClassObject(const GUID *rclsid, const GUID *riid, void **ppv);
//                                   the IClassFactory for CLSID_Terminal / IID_IClassFactory
//   HRESULT DllCanUnloadNow();      S_OK when no control is alive and the factory is not
//                                   locked, else S_FALSE
//   HRESULT DllGetVersion(DLLVERSIONINFO *info);   3.20 build 3201, platform 1
//
// Every component library exports the same names, so they are not declared here: a
// container loads the library (dlopen) and looks them up in it (dlsym), with the
// function types below.

using HRESULT = std::int32_t;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
inline constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = static_cast<HRESULT>(0x80040111u);
inline constexpr HRESULT SELFREG_E_CLASS = static_cast<HRESULT>(0x80040201u);

// The 20-byte version record of DllGetVersion.
struct DLLVERSIONINFO
{
    std::uint32_t cbSize;
    std::uint32_t dwMajorVersion;
    std::uint32_t dwMinorVersion;
    std::uint32_t dwBuildNumber;
    std::uint32_t dwPlatformID;
};
static_assert(sizeof(DLLVERSIONINFO) == 20);

// What DllGetClassObject hands out.
class IClassFactory
{
public:
    // Creates a new control (a Terminal) into *object; parent must be a QWidget or null.
    virtual HRESULT CreateInstance(QObject *parent, QObject **object) = 0;
    // Keeps the library from unloading while locked.
    virtual HRESULT LockServer(bool lock) = 0;

protected:
    ~IClassFactory() = default;
};

using DllRegisterServerFunction = HRESULT (*)();
using DllUnregisterServerFunction = HRESULT (*)();
using DllGetClassObjectFunction = HRESULT (*)(const GUID *rclsid, const GUID *riid, void **ppv);
using DllCanUnloadNowFunction = HRESULT (*)();
using DllGetVersionFunction = HRESULT (*)(DLLVERSIONINFO *info);

} // namespace glyphterm
