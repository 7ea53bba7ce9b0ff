// Terminal: creation, properties and methods.
#include "glyphterm/terminal.h"

#include "glyphterm/emulator.h"
#include "key_map.h"
#include "live_controls.h"
#include "screen_ops.h"

#include <QMessageBox>
#include <QPainter>
#include <QPalette>

#include <new>

namespace glyphterm {

namespace {

QColor systemColour(const QPalette &palette, std::uint32_t index)
{
    switch (index) {
    case 5:
        return palette.color(QPalette::Base); // window
    case 8:
        return palette.color(QPalette::Text); // window text
    case 13:
        return palette.color(QPalette::Highlight); // highlight
    case 14:
        return palette.color(QPalette::HighlightedText);
    case 15:
        return palette.color(QPalette::Button); // button face
    case 18:
        return palette.color(QPalette::ButtonText); // button text
    default:
        return palette.color(QPalette::Window);
    }
}

// An OLE colour as a COLORREF: system colours come from the widget's palette.
COLORREF translateColour(const QWidget &widget, OLE_COLOR colour)
{
    if ((colour & 0xFF000000u) != 0x80000000u)
        return colour & 0x00FFFFFFu;
    const QColor c = systemColour(widget.palette(), colour & 0xFFu);
    return rgb(c.red(), c.green(), c.blue());
}

} // namespace

Terminal::Terminal(QWidget *parent) : QAbstractScrollArea(parent)
{
    ++liveControls();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    setFrameStyle(QFrame::NoFrame);
    QWidget::setFont(defaultTerminalFont());

    const QFont screenFont = font();
    handle_ = TermCreate(this, &screenFont, emulation_, columns_, rows_);
    setNewLine(newLine_);
    TermSetMode(handle_, ModeAutoWrap, autoWrap_);
    TermSetMode(handle_, ModeBell, bell_);
    TermSetMode(handle_, ModeBlockCursor, cursorStyle_ != 0);
    TermSetMode(handle_, ModeCursorVisible, cursor_);
    TermSetMode(handle_, ModeNoRefresh, noRefresh_);
    TermSetBackColor(handle_, translateColour(*this, backColor_));
    TermSetBoldColor(handle_, translateColour(*this, boldColor_));
    TermSetForeColor(handle_, translateColour(*this, foreColor_));
    applyMousePointer();
}

Terminal::~Terminal()
{
    TermDestroy(handle_);
    --liveControls();
}

void Terminal::setUserMode(bool runTime)
{
    userMode_ = runTime;
    applyMousePointer();
    viewport()->update();
}

void Terminal::requireRunTime() const
{
    if (!userMode_)
        throw ControlError(ErrPropertyNotReadable, "Property can be read at run time only");
}

short Terminal::Action() const
{
    requireRunTime();
    return action_;
}

void Terminal::setAction(short value)
{
    action_ = value;
    switch (value) {
    case 0:
        break;
    case 1:
        Clear();
        break;
    case 2:
        ClearEol();
        break;
    case 3:
        InsLine();
        break;
    case 4:
        DelLine();
        break;
    case 5:
        ScrollUp();
        break;
    case 6:
        ScrollDown();
        break;
    case 7:
        TermInvalidate(handle_, true);
        break;
    case 8:
        TermPrint(handle_, printer_);
        break;
    default:
        throw ControlError(ErrInvalidPropertyValue, "Invalid property value");
    }
}

void Terminal::setAutoWrap(bool value)
{
    autoWrap_ = value;
    TermSetMode(handle_, ModeAutoWrap, value);
}

void Terminal::setBell(bool value)
{
    bell_ = value;
    TermSetMode(handle_, ModeBell, value);
}

void Terminal::setBoldColor(OLE_COLOR value)
{
    boldColor_ = value;
    TermSetBoldColor(handle_, translateColour(*this, value));
    viewport()->update();
}

void Terminal::resizeScreen()
{
    if (TermResize(handle_, nullptr, nullptr, columns_, rows_))
        TermSetClientSize(handle_, viewport()->width(), viewport()->height());
    viewport()->update();
}

void Terminal::setColumns(short value)
{
    columns_ = value;
    resizeScreen();
}

void Terminal::setRows(short value)
{
    rows_ = value;
    resizeScreen();
}

void Terminal::setCursor(bool value)
{
    cursor_ = value;
    TermSetMode(handle_, ModeCursorVisible, value);
    TermInvalidate(handle_, false);
}

void Terminal::setCursorStyle(short value)
{
    cursorStyle_ = value;
    TermSetMode(handle_, ModeBlockCursor, value != 0);
}

void Terminal::setEmulation(short value)
{
    emulation_ = value;
    if (value < emNone || value > emVT220)
        return;
    TermSetEmulation(handle_, value);
    // Until the control is first shown its screen is as if created with this
    // emulation, so the colour mode follows it; afterwards the colour mode stays.
    if (!shown_) {
        if (TerminalScreen *screen = lookupScreen(handle_))
            setModes(*screen, ModeColour, colourModeFor(value, *this));
    }
}

void Terminal::setNewLine(short value)
{
    newLine_ = value;
    if (value == nlCRLF) {
        TermSetMode(handle_, ModeLfNewLine | ModeCrNewLine, false);
    } else if (value == nlCR) {
        TermSetMode(handle_, ModeLfNewLine, false);
        TermSetMode(handle_, ModeCrNewLine, true);
    } else if (value == nlLF) {
        TermSetMode(handle_, ModeCrNewLine, false);
        TermSetMode(handle_, ModeLfNewLine, true);
    }
}

short Terminal::SelLength() const
{
    requireRunTime();
    return selLength_;
}

short Terminal::SelStart() const
{
    requireRunTime();
    return selStart_;
}

short Terminal::Attribute() const
{
    requireRunTime();
    std::uint16_t attribute = 0;
    TermGetAttribute(handle_, &attribute);
    return static_cast<short>(attribute);
}

void Terminal::setAttribute(short value)
{
    TermSetAttribute(handle_, static_cast<std::uint16_t>(value));
}

int Terminal::CellHeight() const
{
    requireRunTime();
    int width = 0;
    int height = 0;
    TermGetCellSize(handle_, &width, &height);
    return height;
}

int Terminal::CellWidth() const
{
    requireRunTime();
    int width = 0;
    int height = 0;
    TermGetCellSize(handle_, &width, &height);
    return width;
}

void Terminal::setCellHeight(int)
{
    throw ControlError(ErrPropertyReadOnly, "Property is read-only");
}

void Terminal::setCellWidth(int)
{
    throw ControlError(ErrPropertyReadOnly, "Property is read-only");
}

void Terminal::setSelText(const QString &)
{
    throw ControlError(ErrPropertyReadOnly, "Property is read-only");
}

void Terminal::setHWnd(WId)
{
    throw ControlError(ErrPropertyReadOnly, "Property is read-only");
}

WId Terminal::hWnd() const
{
    return winId();
}

short Terminal::CursorX() const
{
    int column = 0;
    int row = 0;
    TermGetCursor(handle_, &column, &row);
    return static_cast<short>(column);
}

void Terminal::setCursorX(short value)
{
    TermSetCursor(handle_, value, -1);
}

short Terminal::CursorY() const
{
    int column = 0;
    int row = 0;
    TermGetCursor(handle_, &column, &row);
    return static_cast<short>(row);
}

void Terminal::setCursorY(short value)
{
    TermSetCursor(handle_, -1, value);
}

QString Terminal::Output() const
{
    throw ControlError(ErrPropertyNotReadable, "Property is write-only");
}

void Terminal::writeBytes(const QByteArray &bytes)
{
    TermWrite(handle_, bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void Terminal::setOutput(const QString &text)
{
    QByteArray bytes = text.toLatin1();
    const qsizetype end = bytes.indexOf('\0');
    if (end >= 0)
        bytes.truncate(end);
    writeBytes(bytes);
}

void Terminal::Write(QString &Buffer, short Length)
{
    try {
        writeBytes(Buffer.left(std::max<short>(Length, 0)).toLatin1());
    } catch (const std::bad_alloc &) {
        throw ControlError(ErrOutOfMemory, "Out of memory");
    }
}

QString Terminal::SelText() const
{
    requireRunTime();
    if (selLength_ <= 0 || handle_ < 0)
        return QString();
    QByteArray text(selLength_ + 1, '\0');
    const int copied = TermGetText(handle_, selStart_, text.data(), selLength_);
    return QString::fromLatin1(text.constData(), copied);
}

QString Terminal::FontName() const
{
    return font().family();
}

void Terminal::setFontName(const QString &value)
{
    QFont changed = font();
    changed.setFamily(value);
    QWidget::setFont(changed);
}

float Terminal::FontSize() const
{
    return static_cast<float>(font().pointSizeF());
}

void Terminal::setFontSize(float value)
{
    if (value <= 0)
        throw ControlError(ErrInvalidPropertyValue, "Invalid property value");
    QFont changed = font();
    changed.setPointSizeF(value);
    QWidget::setFont(changed);
}

bool Terminal::FontBold() const
{
    return font().bold();
}

void Terminal::setFontBold(bool value)
{
    QFont changed = font();
    changed.setBold(value);
    QWidget::setFont(changed);
}

void Terminal::setMousePointer(short value)
{
    if (value < 0 || value > 15)
        throw ControlError(ErrInvalidPropertyValue, "Invalid property value");
    mousePointer_ = value;
    applyMousePointer();
}

void Terminal::applyMousePointer()
{
    // Pointers 0-14 as listed; 15 shows the arrow, like 0.
    static constexpr Qt::CursorShape Shapes[16] = {
        Qt::ArrowCursor,     Qt::ArrowCursor,   Qt::CrossCursor,     Qt::IBeamCursor,
        Qt::ArrowCursor,     Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
        Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor,   Qt::WaitCursor,
        Qt::ForbiddenCursor, Qt::BusyCursor,    Qt::SizeAllCursor,   Qt::ArrowCursor,
    };
    if (userMode_)
        viewport()->setCursor(Shapes[mousePointer_]);
    else
        viewport()->unsetCursor();
}

QString Terminal::keySequence(int index, bool forKeyMapped) const
{
    if (TerminalScreen *screen = lookupScreen(handle_)) {
        const std::string &keys = screen->keyOverrides[index];
        if (!keys.empty())
            return QString::fromLatin1(keys.data(), static_cast<qsizetype>(keys.size()));
    }
    // Enter and Backspace reach the container as ordinary keys unless overridden.
    if (forKeyMapped && (index == 24 || index == 25))
        return QString();
    const TerminalScreen *screen = lookupScreen(handle_);
    return QString::fromLatin1(defaultKeySequence(screen ? screen->emulation : emulation_, index));
}

QString Terminal::KeyMap(short KeyCode) const
{
    requireRunTime();
    if (KeyCode < 0 || KeyCode >= KeyIndexCount)
        throw ControlError(ErrInvalidPropertyArrayIndex, "Invalid property array index");
    return keySequence(KeyCode, false);
}

void Terminal::setKeyMap(short KeyCode, const QString &value)
{
    if (KeyCode < 0 || KeyCode >= KeyIndexCount)
        throw ControlError(ErrInvalidPropertyArrayIndex, "Invalid property array index");
    if (TerminalScreen *screen = lookupScreen(handle_))
        screen->keyOverrides[KeyCode] = value.toLatin1().toStdString();
}

QString Terminal::Printer() const
{
    requireRunTime();
    return printer_;
}

bool Terminal::NoRefresh() const
{
    requireRunTime();
    return noRefresh_;
}

void Terminal::setNoRefresh(bool value)
{
    noRefresh_ = value;
    TermSetMode(handle_, ModeNoRefresh, value);
}

void Terminal::setBackColor(OLE_COLOR value)
{
    backColor_ = value;
    TermSetBackColor(handle_, translateColour(*this, value));
    viewport()->update();
}

void Terminal::setForeColor(OLE_COLOR value)
{
    foreColor_ = value;
    TermSetForeColor(handle_, translateColour(*this, value));
    viewport()->update();
}

void Terminal::setBorderStyle(short value)
{
    borderStyle_ = value;
    setFrameStyle(value ? (QFrame::Box | QFrame::Plain) : QFrame::NoFrame);
}

void Terminal::Clear()
{
    TermEraseDisplay(handle_, 2);
}

void Terminal::ClearEol()
{
    TermEraseLine(handle_, 0);
}

void Terminal::InsLine()
{
    TermInsertLine(handle_);
}

void Terminal::DelLine()
{
    TermDeleteLine(handle_);
}

void Terminal::ScrollUp()
{
    TermScroll(handle_, true);
}

void Terminal::ScrollDown()
{
    TermScroll(handle_, false);
}

void Terminal::Refresh()
{
    TermInvalidate(handle_, true);
}

void Terminal::AboutBox()
{
    QMessageBox::about(this, tr("About Terminal"),
                       QStringLiteral("%1\nVersion 3.20").arg(QLatin1String(TerminalTypeName)));
}

void Terminal::draw(QPainter &painter, const QRect &bounds)
{
    painter.save();
    painter.setClipRect(bounds);
    if (userMode_ && handle_ >= 0) {
        TermSetPaintDC(handle_, &painter);
        TermPaint(handle_);
        TermSetPaintDC(handle_, nullptr);
    } else {
        const COLORREF back = translateColour(*this, backColor_);
        painter.fillRect(bounds, QColor(back & 0xFF, (back >> 8) & 0xFF, (back >> 16) & 0xFF));
    }
    painter.restore();
}

} // namespace glyphterm
