#pragma once
// The seam for handing a folder or link to the desktop (the file manager, the browser).
// The program uses QDesktopServices; tests install one that records what it was given.
#include <QUrl>

namespace platform {

class UrlOpener
{
public:
    virtual ~UrlOpener() = default;
    // False when the desktop could not open it.
    virtual bool open(const QUrl &url) = 0;
};

class DesktopUrlOpener : public UrlOpener
{
public:
    bool open(const QUrl &url) override;
};

} // namespace platform
