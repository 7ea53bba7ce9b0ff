// Keyboard mapping: Qt keys to Windows virtual-key numbers, keys to key indexes, and
// the default host sequences of each emulation.
#pragma once

#include <QKeyEvent>

#include <cstdint>

namespace glyphterm {

// Windows virtual-key numbers used by the mapping.
enum VirtualKey : int
{
    VkBack = 8,
    VkTab = 9,
    VkClear = 12,
    VkReturn = 13,
    VkPrior = 33,
    VkNext = 34,
    VkEnd = 35,
    VkHome = 36,
    VkLeft = 37,
    VkUp = 38,
    VkRight = 39,
    VkDown = 40,
    VkInsert = 45,
    VkDelete = 46,
    VkF1 = 112,
    VkF12 = 123,
    VkNumLock = 144,
};

// A key as the mapping sees it. "Extended" follows the key's origin: the separate
// cursor block and the keypad Enter are extended, the keypad twins are not.
struct KeyInput
{
    int virtualKey = 0; // 0: no virtual key
    bool extended = false;
    bool shift = false;
    bool ctrl = false;
};

KeyInput keyInputFor(const QKeyEvent &event);

// The key index 0-50 for a key under the screen's modes, or -1.
int keyIndexFor(const KeyInput &key, std::uint32_t modes);

// The default sequence of a key index in an emulation; empty when there is none.
const char *defaultKeySequence(int emulation, int index);

// The keys sent straight to the control even inside a dialog or a scroll area.
bool isNavigationKey(int qtKey);

} // namespace glyphterm
