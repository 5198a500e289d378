#include "driver/keyboard.h"

#include <iterator>
#include <stdexcept>
#include <vector>

#include "driver/text.h"

namespace e2e {
namespace {

void Send(std::vector<INPUT>& inputs) {
    if (inputs.empty()) return;
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size())
        throw std::runtime_error("SendInput sent " + std::to_string(sent) + " of " + std::to_string(inputs.size()) +
                                 " inputs: " + LastError());
}

INPUT Key(WORD vk, WORD scan, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = scan;
    input.ki.dwFlags = flags;
    return input;
}

}  // namespace

void TypeText(const std::wstring& text) {
    std::vector<INPUT> inputs;
    for (wchar_t c : text) {
        inputs.push_back(Key(0, c, KEYEVENTF_UNICODE));
        inputs.push_back(Key(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
    Send(inputs);
}

void PressKey(WORD vk) {
    const WORD scan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    std::vector<INPUT> inputs{Key(vk, scan, 0), Key(vk, scan, KEYEVENTF_KEYUP)};
    Send(inputs);
}

void KeysDown(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) inputs.push_back(Key(key, static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)), 0));
    Send(inputs);
}

void KeysUp(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
        inputs.push_back(Key(*key, static_cast<WORD>(MapVirtualKeyW(*key, MAPVK_VK_TO_VSC)), KEYEVENTF_KEYUP));
    Send(inputs);
}

void PressWith(std::initializer_list<WORD> held, WORD vk) {
    KeysDown(held);
    PressKey(vk);
    KeysUp(held);
}

void DoubleClickAt(POINT screen) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = static_cast<LONG>((screen.x * 65536LL + width - 1) / width);
    move.mi.dy = static_cast<LONG>((screen.y * 65536LL + height - 1) / height);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    std::vector<INPUT> inputs{move};
    for (int click = 0; click < 2; ++click)
        for (DWORD flag : {static_cast<DWORD>(MOUSEEVENTF_LEFTDOWN), static_cast<DWORD>(MOUSEEVENTF_LEFTUP)}) {
            INPUT button = move;
            button.mi.dwFlags = flag | MOUSEEVENTF_ABSOLUTE;
            inputs.push_back(button);
        }
    Send(inputs);
}

}  // namespace e2e
