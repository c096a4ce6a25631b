#pragma once

#include "common/EventPump.h"

#include <QCoreApplication>

// Keeps the windows painted and clickable (the stop button) while a transfer waits.
class QtEventPump : public EventPump {
public:
    void processEvents() override { QCoreApplication::processEvents(QEventLoop::AllEvents, 20); }
};
