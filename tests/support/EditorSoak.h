#pragma once

// A seeded, reproducible stream of what a user does to an open editor: presses and drags with
// either button and any modifiers, wheel notches, hovering, keys, the two menus, the about box,
// the zoom pop-up and zoom changes, sent through the frame's own event entry points. Hosts'
// soak tests drive it and check what reached the host.
#include "QORLIB/gui/QorFrame.h"
#include "QORLIB/gui/toolkit/KeyEvent.h"
#include "QORLIB/gui/toolkit/MouseEvents.h"

#include <cmath>
#include <functional>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace qortest
{

class EditorSoak
{
public:
    // zoomTo changes the editor's zoom as the host's zoom control would; idle runs the host's
    // idle (timers, painting).
    EditorSoak(uint32_t seed, std::function<Qorwerk::QorFrame*()> frame, std::function<void(double)> zoomTo,
               std::function<void()> idle)
        : rng_(seed), frame_(std::move(frame)), zoomTo_(std::move(zoomTo)), idle_(std::move(idle))
    {
    }

    // One user action; the last few are kept for failure messages.
    void step()
    {
        Qorwerk::QorFrame* f = frame_();
        if (f == nullptr)
            return;
        const int what = pick(100);
        if (what < 40)
            drag(*f);
        else if (what < 55)
            wheel(*f);
        else if (what < 68)
            hover(*f);
        else if (what < 80)
            key(*f);
        else if (what < 94)
            landmark(*f);
        else if (what < 97)
        {
            static const double kZooms[] = {0.7, 1.0, 1.25, 1.5, 2.0, 2.76};
            const double z = kZooms[pick(pick(8) == 0 ? 6 : 5)];
            note("zoom " + std::to_string(z));
            zoomTo_(z);
        }
        else
            idle_();
        if (++steps_ % 20 == 0)
            idle_();
    }

    std::string recent() const
    {
        std::ostringstream out;
        for (const auto& s : log_)
            out << s << "; ";
        return out.str();
    }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    double uniform(double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng_); }
    void note(const std::string& s)
    {
        log_.push_back(s);
        if (log_.size() > 12)
            log_.erase(log_.begin());
    }
    // A point on the frame, in device pixels, as the frame is now (menus make it larger).
    qortk::Point anywhere(const Qorwerk::QorFrame& f)
    {
        const qortk::Rect r = f.viewSize();
        return device(f, uniform(r.left, r.right), uniform(r.top, r.bottom));
    }
    static qortk::Point device(const Qorwerk::QorFrame& f, double x, double y) { return {x * f.zoom(), y * f.zoom()}; }
    uint32_t modifiers()
    {
        uint32_t m = 0;
        if (pick(6) == 0)
            m |= qortk::kShift;
        if (pick(10) == 0)
            m |= qortk::kControl;
        if (pick(14) == 0)
            m |= qortk::kAlt;
        return m;
    }
    void drag(Qorwerk::QorFrame& f)
    {
        const uint32_t button = pick(8) == 0 ? qortk::kRButton : qortk::kLButton;
        const uint32_t mods = modifiers();
        qortk::Point p = anywhere(f);
        note("drag from " + std::to_string(int(p.x)) + "," + std::to_string(int(p.y)));
        f.mouseDown(p, button | mods | (pick(12) == 0 ? qortk::kDoubleClick : 0u));
        const int moves = pick(7);
        for (int i = 0; i < moves; ++i)
        {
            if (Qorwerk::QorFrame* again = frame_(); again != &f || again == nullptr)
                return; // the press closed the editor
            p = pick(3) == 0 ? anywhere(f) : qortk::Point{p.x + uniform(-40, 40), p.y + uniform(-40, 40)};
            f.mouseMoved(p, button | mods);
        }
        if (frame_() == &f)
            f.mouseUp(p, button | mods);
    }
    void wheel(Qorwerk::QorFrame& f)
    {
        const qortk::Point p = anywhere(f);
        const float distance = pick(5) == 0 ? float(uniform(-0.3, 0.3)) : (pick(2) ? 1.0f : -1.0f);
        note("wheel " + std::to_string(distance));
        f.wheel(p, distance, pick(4) == 0 ? qortk::kShift : 0u);
    }
    void hover(Qorwerk::QorFrame& f)
    {
        note("hover");
        for (int i = 0, n = 1 + pick(4); i < n; ++i)
            f.mouseMoved(anywhere(f), 0);
        if (pick(4) == 0)
            f.mouseLeftFrame();
    }
    void key(Qorwerk::QorFrame& f)
    {
        qortk::KeyEvent k;
        switch (pick(8))
        {
        case 0: k.key = qortk::KeyEvent::kReturn; break;
        case 1: k.key = qortk::KeyEvent::kEscape; break;
        case 2: k.key = qortk::KeyEvent::kBackspace; break;
        case 3: k.key = qortk::KeyEvent::kLeft; break;
        case 4: k.key = qortk::KeyEvent::kTab; break;
        default: k.text = std::string(1, char('a' + pick(26))); break;
        }
        note("key");
        f.keyDown(k);
        if (frame_() == &f)
            f.keyUp(k);
    }
    // The places a user goes to on purpose: the preset name (preset menu), the configuration
    // button, the zoom percentage (its pop-up), the painted product name (about box).
    void landmark(Qorwerk::QorFrame& f)
    {
        static const double kPlaces[][2] = {{200, 13}, {385, 13}, {200, 72}, {100, 13}, {80, 13}, {30, 13}};
        const auto& place = kPlaces[pick(pick(6) == 0 ? 6 : 5)];
        note("click " + std::to_string(int(place[0])) + "," + std::to_string(int(place[1])));
        const qortk::Point p = device(f, place[0], place[1]);
        f.mouseDown(p, qortk::kLButton);
        if (frame_() == &f)
            f.mouseUp(p, qortk::kLButton);
    }

    std::mt19937 rng_;
    std::function<Qorwerk::QorFrame*()> frame_;
    std::function<void(double)> zoomTo_;
    std::function<void()> idle_;
    std::vector<std::string> log_;
    long steps_ = 0;
};

// Values of the host parameters as they leave the editor: in range, and on a step for the
// stepped ones (Process has three positions, Ratio, AttackRatio and ValveLevel seven).
inline std::string offStepOrRange(int32_t index, double normalised)
{
    if (!(normalised >= 0.0 && normalised <= 1.0))
        return "index " + std::to_string(index) + " out of range: " + std::to_string(normalised);
    const int k = index == 0 ? 2 : (index == 2 || index == 3 || index == 7) ? 6 : 0;
    if (k != 0 && std::fabs(normalised * k - std::round(normalised * k)) > 1e-6)
        return "index " + std::to_string(index) + " off its steps: " + std::to_string(normalised);
    return {};
}

// Touch and release per parameter as a host sees them: every release closes an open touch, no
// touch opens while one is open for the same parameter, every set falls inside a touch.
class GesturePairs
{
public:
    std::string touch(const std::string& id)
    {
        if (open_[id])
            return "a second touch of " + id + " inside an open one";
        open_[id] = true;
        return {};
    }
    std::string release(const std::string& id)
    {
        if (!open_[id])
            return "a release of " + id + " without a touch";
        open_[id] = false;
        return {};
    }
    std::string set(const std::string& id) const
    {
        auto it = open_.find(id);
        return it != open_.end() && it->second ? std::string() : "a value of " + id + " outside a gesture";
    }
    std::string stillOpen() const
    {
        for (const auto& [id, open] : open_)
            if (open)
                return id + " still touched";
        return {};
    }

private:
    std::map<std::string, bool> open_;
};

// Faults found, by kind, the first few of each kept for the message.
struct SoakFaults
{
    std::vector<std::string> values;   // out of range or off a step
    std::vector<std::string> gestures; // unpaired or nested touches, values outside a gesture
    int valueCount = 0;
    int gestureCount = 0;
    void value(const std::string& f) { add(values, valueCount, f); }
    void gesture(const std::string& f) { add(gestures, gestureCount, f); }

private:
    static void add(std::vector<std::string>& list, int& count, const std::string& f)
    {
        if (f.empty())
            return;
        ++count;
        if (list.size() < 6)
            list.push_back(f);
    }
};

inline std::string joined(const std::vector<std::string>& faults)
{
    std::string out;
    for (const auto& f : faults)
        out += f + "; ";
    return out;
}

} // namespace qortest
