#pragma once

#include <memory>
#include <string>
#include <vector>

typedef struct _XDisplay Display;

// The host's own top-level X11 window that a plug-in editor is embedded in, on a display
// connection of its own. Closing it through the window manager (WM_DELETE_WINDOW) only sets a
// flag; the host decides when to take the editor away. Main thread.
class AaxHostWindow
{
public:
    // nullptr (and the reason in error) when no display can be opened.
    static std::unique_ptr<AaxHostWindow> create(int width, int height, const std::string& title,
                                                 std::string* error = nullptr);
    ~AaxHostWindow();
    AaxHostWindow(const AaxHostWindow&) = delete;
    AaxHostWindow& operator=(const AaxHostWindow&) = delete;

    unsigned long id() const { return window_; }
    Display* display() const { return display_; }
    void resize(int width, int height);
    void setTitle(const std::string& title);
    // Handles waiting events (close requests, mapping).
    void pump();
    bool closeRequested() const { return closeRequested_; }
    void requestClose() { closeRequested_ = true; }
    bool isMapped() const { return mapped_; }
    // The window's pixels as a person sees them, editor included, as 0xRRGGBB rows.
    bool capture(std::vector<uint32_t>& pixels, int& width, int& height) const;

private:
    explicit AaxHostWindow(Display* display) : display_(display) {}

    Display* display_;
    unsigned long window_ = 0;
    unsigned long deleteAtom_ = 0;
    bool closeRequested_ = false;
    bool mapped_ = false;
};
