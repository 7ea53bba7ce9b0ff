#include "key_map.h"

#include "glyphterm/screen.h"
#include "screen_record.h"

#include <array>

namespace glyphterm {

namespace {

struct KeyName
{
    int qtKey;
    int virtualKey;
};

constexpr KeyName NamedKeys[] = {
    {Qt::Key_Backspace, VkBack},  {Qt::Key_Tab, VkTab},       {Qt::Key_Backtab, VkTab},
    {Qt::Key_Clear, VkClear},     {Qt::Key_Return, VkReturn}, {Qt::Key_Enter, VkReturn},
    {Qt::Key_Shift, 16},          {Qt::Key_Control, 17},      {Qt::Key_Alt, 18},
    {Qt::Key_Pause, 19},          {Qt::Key_CapsLock, 20},     {Qt::Key_Escape, 27},
    {Qt::Key_Space, 32},          {Qt::Key_PageUp, VkPrior},  {Qt::Key_PageDown, VkNext},
    {Qt::Key_End, VkEnd},         {Qt::Key_Home, VkHome},     {Qt::Key_Left, VkLeft},
    {Qt::Key_Up, VkUp},           {Qt::Key_Right, VkRight},   {Qt::Key_Down, VkDown},
    {Qt::Key_Print, 44},          {Qt::Key_Insert, VkInsert}, {Qt::Key_Delete, VkDelete},
    {Qt::Key_NumLock, VkNumLock}, {Qt::Key_ScrollLock, 145},
};

// The keypad's own keys with Num Lock on.
int keypadVirtualKey(int qtKey)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return 96 + (qtKey - Qt::Key_0); // VK_NUMPAD0..9
    switch (qtKey) {
    case Qt::Key_Asterisk:
        return 106;
    case Qt::Key_Plus:
        return 107;
    case Qt::Key_Minus:
        return 109;
    case Qt::Key_Period:
        return 110;
    case Qt::Key_Slash:
        return 111;
    default:
        return 0;
    }
}

int virtualKeyFor(int qtKey, bool keypad)
{
    if (keypad) {
        if (const int vk = keypadVirtualKey(qtKey))
            return vk;
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return VkF1 + (qtKey - Qt::Key_F1);
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z))
        return qtKey; // the same numbers as the virtual keys
    for (const KeyName &name : NamedKeys) {
        if (name.qtKey == qtKey)
            return name.virtualKey;
    }
    return 0;
}

using SequenceTable = std::array<const char *, KeyIndexCount>;

// Index: F1-F12, Shift+F1-F12, Enter, Backspace, four arrows, Insert, Delete, Home,
// End, Page Up, Page Down, four application arrows, keypad Enter, keypad 0-9 in the
// order 0, 1, 2, 3, 4, 5, 6, 7, 8, 9.
constexpr SequenceTable AnsiKeys = {
    "\033[M", "\033[N", "\033[O", "\033[P", "\033[Q", "\033[R", "\033[S", "\033[T", "\033[U",
    "\033[V", "\033[W", "\033[X", "\033[Y", "\033[Z", "\033[a", "\033[b", "\033[c", "\033[d",
    "\033[e", "\033[f", "\033[g", "\033[h", "\033[i", "\033[j", "\r",     "\b",     "\033[A",
    "\033[B", "\033[D", "\033[C", "\033[L", "\177",   "\033[H", "\033[F", "\033[G", "\033[I",
    "\033[A", "\033[B", "\033[D", "\033[C", "\r",     "\033[L", "\033[F", "\033[B", "\033[I",
    "\033[D", "",       "\033[C", "\033[H", "\033[A", "\033[G",
};

constexpr SequenceTable Vt100Keys = {
    "\033OP", "\033OQ", "\033OR", "\033OS", "",       "",       "",       "",       "",
    "",       "",       "",       "",       "",       "",       "",       "",       "",
    "",       "",       "",       "",       "",       "",       "\r",     "\b",     "\033[A",
    "\033[B", "\033[D", "\033[C", "",       "",       "",       "",       "",       "",
    "\033OA", "\033OB", "\033OD", "\033OC", "\033OM", "\033Op", "\033Oq", "\033Or", "\033Os",
    "\033Ot", "\033Ou", "\033Ov", "\033Ow", "\033Ox", "\033Oy",
};

constexpr SequenceTable Vt220Keys = {
    "\033OP",   "\033OQ",   "\033OR",   "\033OS",  "",        "\033[17~", "\033[18~", "\033[19~", "\033[20~",
    "\033[21~", "\033[23~", "\033[24~", "",        "",        "",         "",         "",         "",
    "",         "",         "",         "",        "",        "",         "\r",       "\b",       "\033[A",
    "\033[B",   "\033[D",   "\033[C",   "\033[1~", "\033[4~", "\033[2~",  "\033[5~",  "\033[3~",  "\033[6~",
    "\033OA",   "\033OB",   "\033OD",   "\033OC",  "\033OM",  "\033Op",   "\033Oq",   "\033Or",   "\033Os",
    "\033Ot",   "\033Ou",   "\033Ov",   "\033Ow",  "\033Ox",  "\033Oy",
};

} // namespace

KeyInput keyInputFor(const QKeyEvent &event)
{
    const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    KeyInput key;
    key.virtualKey = virtualKeyFor(event.key(), keypad);
    key.shift = event.modifiers().testFlag(Qt::ShiftModifier);
    key.ctrl = event.modifiers().testFlag(Qt::ControlModifier);
    if (event.key() == Qt::Key_Enter)
        key.extended = true; // the keypad Enter is the extended one
    else if (isNavigationKey(event.key()))
        key.extended = !keypad;
    return key;
}

int keyIndexFor(const KeyInput &key, std::uint32_t modes)
{
    const int vk = key.virtualKey;
    if (vk >= VkF1 && vk <= VkF12)
        return (vk - VkF1) + (key.shift ? 12 : 0);
    switch (vk) {
    case VkReturn:
        return key.extended && (modes & ModeAppKeypad) ? 40 : 24;
    case VkBack:
        return 25;
    case VkUp:
    case VkDown:
    case VkLeft:
    case VkRight: {
        const int order = vk == VkUp ? 0 : vk == VkDown ? 1 : vk == VkLeft ? 2 : 3;
        if (!key.extended) {
            constexpr int keypad[] = {49, 43, 45, 47};
            return keypad[order];
        }
        return (key.ctrl || (modes & ModeAppCursorKeys) ? 36 : 26) + order;
    }
    case VkInsert:
        return key.extended ? 30 : 41;
    case VkDelete:
        return 31;
    case VkHome:
        return key.extended ? 32 : 48;
    case VkEnd:
        return key.extended ? 33 : 42;
    case VkPrior:
        return key.extended ? 34 : 50;
    case VkNext:
        return key.extended ? 35 : 44;
    case VkClear:
        return key.extended ? -1 : 46;
    default:
        return -1;
    }
}

const char *defaultKeySequence(int emulation, int index)
{
    if (index < 0 || index >= KeyIndexCount)
        return "";
    switch (emulation) {
    case emAnsi:
        return AnsiKeys[index];
    case emVT100:
        return Vt100Keys[index];
    case emVT220:
        return Vt220Keys[index];
    default:
        return "";
    }
}

bool isNavigationKey(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_Insert:
    case Qt::Key_Delete:
        return true;
    default:
        return false;
    }
}

} // namespace glyphterm
