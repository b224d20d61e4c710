#pragma once

#include "QORLIB/gui/toolkit/View.h"

#include <string>
#include <vector>

// A view that writes down every event it gets, with the point in its parent's coordinates.
class RecordingView : public qortk::View
{
public:
    explicit RecordingView(const qortk::Rect& r, qortk::MouseResult downResult = qortk::kMouseHandled)
        : View(r), downResult_(downResult)
    {
    }
    struct Event
    {
        std::string what;
        qortk::Point where;
        uint32_t buttons;
    };
    std::vector<Event> events;

    qortk::MouseResult onMouseDown(qortk::Point p, uint32_t b) override
    {
        events.push_back({"down", p, b});
        return downResult_;
    }
    qortk::MouseResult onMouseMoved(qortk::Point p, uint32_t b) override
    {
        events.push_back({"moved", p, b});
        return qortk::kMouseHandled;
    }
    qortk::MouseResult onMouseUp(qortk::Point p, uint32_t b) override
    {
        events.push_back({"up", p, b});
        return qortk::kMouseHandled;
    }
    void onMouseEntered(qortk::Point p, uint32_t b) override { events.push_back({"entered", p, b}); }
    void onMouseExited(qortk::Point p, uint32_t b) override { events.push_back({"exited", p, b}); }
    bool onWheel(qortk::Point p, float distance, uint32_t b) override
    {
        events.push_back({"wheel " + std::to_string(distance), p, b});
        return true;
    }
    std::string names() const
    {
        std::string s;
        for (const auto& e : events)
            s += (s.empty() ? "" : ",") + e.what;
        return s;
    }

private:
    qortk::MouseResult downResult_;
};
