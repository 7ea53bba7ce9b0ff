// The keyboard's Num Lock toggle, as this process sees it. Qt reports no lock states,
// so the toggle is followed here: it flips when the Num Lock key is pressed (the
// control reports that) and when the engine synthesises a press to switch it.
#pragma once

namespace glyphterm {

class KeyboardState
{
public:
    bool numLock() const { return numLockOn_; }
    // A press and release of the Num Lock key: the toggle flips.
    void pressNumLock() { numLockOn_ = !numLockOn_; }
    // Switches the toggle to `on` by pressing the key when it differs.
    void setNumLock(bool on)
    {
        if (numLockOn_ != on)
            pressNumLock();
    }

private:
    bool numLockOn_ = true;
};

// The one keyboard of the process.
KeyboardState &keyboardState();

} // namespace glyphterm
