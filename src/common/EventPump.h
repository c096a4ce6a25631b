#pragma once

// Lets the window repaint and take clicks (Stop) while a long operation runs on its thread.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void processEvents() = 0;
};
