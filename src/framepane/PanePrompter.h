#pragma once
// How the playback window tells the user something and asks for a file name.
// The window installs message boxes and a save dialog; tests record and answer
// without a modal loop. The library stands alone, so this is its own seam.

#include <QString>

class PanePrompter
{
public:
    virtual ~PanePrompter() = default;
    virtual void message(const QString& text) = 0;
    // The file chosen in a save dialog proposing this name; empty when cancelled.
    virtual QString saveFileName(const QString& proposed) = 0;
};
