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
#include <QString>

#include <cstdint>
#include <stdexcept>
#include <string>

class QSettings;

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

// Class identity.
inline constexpr char TerminalTypeLibraryGuid[] = "{3F6A2C10-5D1B-4E7A-9C42-7B1E0A6D2F58}";
inline constexpr char TerminalDispatchGuid[] = "{3F6A2C11-5D1B-4E7A-9C42-7B1E0A6D2F58}";
inline constexpr char TerminalEventsGuid[] = "{3F6A2C12-5D1B-4E7A-9C42-7B1E0A6D2F58}";
inline constexpr char TerminalClassGuid[] = "{3F6A2C13-5D1B-4E7A-9C42-7B1E0A6D2F58}";
inline constexpr char TerminalPropertyPageGuid[] = "{3F6A2C14-5D1B-4E7A-9C42-7B1E0A6D2F58}";
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
};

} // namespace glyphterm

// Library exports.
extern "C" {
// The caller's version record.
struct DLLVERSIONINFO
{
    std::uint32_t cbSize;
    std::uint32_t dwMajorVersion;
    std::uint32_t dwMinorVersion;
    std::uint32_t dwBuildNumber;
    std::uint32_t dwPlatformID;
};

// The class factory DllGetClassObject hands out: creates controls of the class.
struct TerminalClassFactory
{
    QWidget *(*CreateInstance)(QWidget *parent);
};

// Writes (removes) the class, ProgID, type-library and control registration into
// (from) the per-user component registry. 0 on success.
long DllRegisterServer();
long DllUnregisterServer();
// `classId` must be the class GUID; `*object` receives the TerminalClassFactory.
long DllGetClassObject(const char *classId, const char *interfaceId, void **object);
// 0 when no control of this library is alive, else 1.
long DllCanUnloadNow();
long DllGetVersion(DLLVERSIONINFO *info);
}
