// The program's end of the label channel, as far as the library tests need it: the handshake
// that sends the labels one at a time, the batches read back from the recorded WM_COPYDATA
// records, and a program that lays the systray clock out from the texts it gets.
#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "clock_library_support.h"
#include "platform/draw/gdi.h"

namespace cliblib {

struct LabelEntry {
    std::string format;
    std::int16_t size = 10;
    std::int16_t weight = 400;
    COLORREF back = RGB(0, 0, 0);
    COLORREF text = RGB(255, 255, 255);
    std::uint8_t shown = 0xFF;
    std::string face = "Arial";
};

// Runs the program's handshake: the count, then each label on the acknowledgement of the one
// before; the whole of it nested in the count call.
inline void SendLabels(ClockLibrary& lib, MainWindow& main, const std::vector<LabelEntry>& labels) {
    std::size_t next = 0;
    main.onNotify = [&](WPARAM code) {
        if (code != hooklib::CN_LABELSREADY || next >= labels.size()) return;
        const LabelEntry& l = labels[next];
        const auto index = static_cast<std::int16_t>(next++);
        lib.OZRSetClockLabelProperties(index, 0, 0, l.face.c_str(), l.size, l.weight, 0, 0, 0, l.back, l.text,
                                       l.format.c_str(), l.shown);
    };
    lib.OZRSetClockLabelCount(static_cast<std::int16_t>(labels.size()));
    main.onNotify = nullptr;
}

struct ReportedLabel {
    std::int16_t index = 0;
    std::uint32_t flags = 0;
    CopyRecord text;
};

struct Batch {
    std::vector<ReportedLabel> labels;
    std::int16_t count = -1;
    const ReportedLabel* Label(int index) const {
        for (const ReportedLabel& l : labels)
            if (l.index == index) return &l;
        return nullptr;
    }
};

// The records cut into batches. Every label must come as index, flags, text in a row, every
// batch must end with CD_END, and every record must carry the main window's handle; anything
// else is a failure.
inline std::vector<Batch> Batches(const std::vector<CopyRecord>& records, HWND main) {
    std::vector<Batch> batches(1);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const CopyRecord& r = records[i];
        EXPECT_EQ(r.wParam, static_cast<WPARAM>(main.id()));
        if (r.type == hooklib::CD_END) {
            EXPECT_EQ(r.bytes.size(), 2u);
            batches.back().count = r.Int16();
            batches.emplace_back();
            continue;
        }
        if (r.type != hooklib::CD_LABELINDEX || i + 2 >= records.size() ||
            records[i + 1].type != hooklib::CD_LABELFLAGS || records[i + 2].type != hooklib::CD_LABELTEXT) {
            ADD_FAILURE() << "record " << i << " of type " << r.type << " is not the start of a label's three records";
            return {};
        }
        EXPECT_EQ(r.bytes.size(), 2u);
        EXPECT_EQ(records[i + 1].bytes.size(), 4u);
        batches.back().labels.push_back(ReportedLabel{r.Int16(), records[i + 1].UInt32(), records[i + 2]});
        i += 2;
    }
    EXPECT_TRUE(batches.back().labels.empty()) << "a batch without its end";
    batches.pop_back();
    return batches;
}

// A program in systray mode: it keeps the texts it is sent, stacks the labels centred under one
// another in their fonts, and tells the library the positions that changed and the clock's size.
class StackingProgram {
public:
    StackingProgram(ClockLibrary& lib, MainWindow& main, std::vector<LabelEntry> labels)
        : lib_(lib), labels_(std::move(labels)), memory_(CreateCompatibleDC(HDC{})) {
        main.onRecord = [this](const CopyRecord& r) {
            if (r.type == hooklib::CD_LABELINDEX) index_ = r.Int16();
            if (r.type == hooklib::CD_LABELTEXT) {
                texts_[index_] = r.Text();
                Layout();
            }
        };
    }
    ~StackingProgram() { DeleteDC(memory_); }
    StackingProgram(const StackingProgram&) = delete;
    StackingProgram& operator=(const StackingProgram&) = delete;

    SIZE ClockSize() const { return size_; }
    SIZE TextSize(int index) const { return Measure(index); }
    POINT Position(int index) const { return positions_.count(index) ? positions_.at(index) : POINT{-1, -1}; }

private:
    SIZE Measure(int index) const {
        SIZE size{0, 0};
        if (!texts_.count(index)) return size;
        const LabelEntry& l = labels_[static_cast<std::size_t>(index)];
        HFONT font = CreateFont(-MulDiv(l.size, 96, 72), 0, 0, 0, l.weight, 0, 0, 0, DEFAULT_CHARSET,
                                OUT_TT_ONLY_PRECIS, 0, ANTIALIASED_QUALITY, 0, l.face);
        HGDIOBJ old = SelectObject(memory_, font);
        GetTextExtentPoint32(memory_, texts_.at(index), &size);
        SelectObject(memory_, old);
        DeleteObject(font);
        return size;
    }

    void Layout() {
        LONG width = 0, height = 0;
        for (const auto& [index, text] : texts_) {
            const SIZE s = Measure(index);
            width = std::max(width, s.cx);
            height += s.cy;
        }
        bool moved = false;
        LONG y = 0;
        for (const auto& [index, text] : texts_) {
            const SIZE s = Measure(index);
            const POINT p{(width - s.cx) / 2, y};
            y += s.cy;
            auto it = positions_.find(index);
            if (it != positions_.end() && it->second.x == p.x && it->second.y == p.y) continue;
            positions_[index] = p;
            lib_.OZRSetClockLabelPositioning(static_cast<std::int16_t>(index), static_cast<std::int16_t>(p.x),
                                             static_cast<std::int16_t>(p.y));
            moved = true;
        }
        if (!moved) return;
        size_ = SIZE{width, height};
        lib_.OZRSetClockWidth(static_cast<std::int16_t>(width));
        lib_.OZRSetClockHeight(static_cast<std::int16_t>(height));
    }

    ClockLibrary& lib_;
    std::vector<LabelEntry> labels_;
    HDC memory_;
    std::int16_t index_ = -1;
    std::map<int, std::string> texts_;
    std::map<int, POINT> positions_;
    SIZE size_{0, 0};
};

}  // namespace cliblib
