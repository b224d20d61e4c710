#pragma once

#include "QORLIB/QorBaseParametersController.h"

#include <cstdint>

class QorMasterController;

// The product controller: assembles the instance's state chunk (an 8-byte prefix, then the
// preset manager's three-program body) and restores the instance from one.
// Main (non-audio) thread only.
class vellaCorController : public QorBaseParametersController
{
public:
    static constexpr uint32_t kChunkVersion = 0x02000000;
    static constexpr uint32_t kPrefixSize = 8;

    explicit vellaCorController(QorMasterController* bridge) : bridge_(bridge) {}

    void parameterChangedNotification(int32_t index, double value) override;
    uint32_t getChunk(void** data) override;
    // Restores the bank when bytes 4..7 read "BRXK" or "KXRB", announces the editor state
    // (29) and the zoom (59), then always pushes the current values of 0..11.
    void setChunk(const void* data, uint32_t length, const void* header) override;
    bool receiveMessage(const void* data, int32_t size) override;
    void secondNotification() override;

private:
    QorMasterController* bridge_; // not owned
};
