#pragma once
// The files of a WM_DROPFILES message. The drop's memory belongs to the receiver, which lets it
// go with DragFinish: this guard does so once, whatever way the handling ends.

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

namespace OrvUtility {

class DroppedFiles {
public:
    explicit DroppedFiles(HDROP dropped) : drop(dropped) {}
    ~DroppedFiles();
    DroppedFiles(DroppedFiles&& other) noexcept : drop(other.drop) { other.drop = nullptr; }
    DroppedFiles& operator=(DroppedFiles&&) = delete;
    DroppedFiles(const DroppedFiles&) = delete;
    DroppedFiles& operator=(const DroppedFiles&) = delete;

    // The dropped files' full paths, in the order the drop gives them.
    std::vector<std::wstring> Paths() const;

private:
    HDROP drop;
};

}  // namespace OrvUtility
