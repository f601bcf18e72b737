// What several windows must know. The program owns one SharedState and hands it to every window;
// nothing here is process-wide, so each test builds its own.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "common/basic.h"

namespace qor {

struct VariablesQor {
    std::string DeviceModel;  // "QOR 81", "QOR 82", "unknown", "Unknown" or ""
    int16_t ComPortNumber = 0;
    int16_t MaxComPort = 0;
    int16_t PortFound = 0;
    bool PanelReady = false;
    int16_t AutoDetectAsked = 0;
    bool ExitToggle = false;
    DateTime LastSyncTime{};
    int16_t ZoneCount = 0;
    std::array<std::string, 5> ZoneName{};    // index 1..4
    std::array<bool, 5> ZoneOn{};             // index 1..4
    std::array<bool, 5> ZoneShow{};           // index 1..4
    std::array<std::string, 7> PresetName{};  // index 1..6
    int16_t CurrentPreset = 0;
    std::string TunerSensitivity;
    std::string TempMin;
    std::string TempMax;
    std::string TempOffset;
    int16_t SemicolonCount = 0;
    int16_t PanelSlot = 0;
    int32_t ScreenHeightTw = 0;
    int16_t DragActive = 0;
    double DragStartX = 0;
    double DragStartY = 0;
    std::array<std::string, 5> ZoneImgPath{};  // index 1..4
    int16_t SettingsTab = 0;
    std::string OpenSchedulePath;
    std::string SchedulePath;
};

struct ImageVar {
    std::array<std::string, 51> HiddenCtlNames{};  // indexes 0..50
    int32_t DragImgLeft = 0;
    int32_t DragImgTop = 0;
};

struct SharedState {
    VariablesQor vq;
    ImageVar iv;
};

}  // namespace qor
