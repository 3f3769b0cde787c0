// Control arrays: controls of one kind that share a name and are told apart by their Index.
//
//   ControlArray<forms::Label> Label{this, "Label"};     // member of the form
//   void Design() override { Label.Load(0); Label(0).Caption = "<Loading>"; }
//   Label.Load(5);                                        // at run time: a copy of the first element, hidden
//   Label(5).Visible = true;  Label.Unload(5);  Label.Count();
//   Label.Click = [this](int Index) { Label_Click(Index); };
//
// Elements loaded in Design() are the design elements: they come back on every load of the form and
// cannot be unloaded. Elements loaded at run time go when they are unloaded or the form unloads.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/base.h"
#include "platform/forms/control.h"
#include "platform/forms/event.h"

namespace platform::forms {

class ControlArrayBase {
public:
    ControlArrayBase(ContainerRef container, std::string name);
    virtual ~ControlArrayBase();
    ControlArrayBase(const ControlArrayBase&) = delete;
    ControlArrayBase& operator=(const ControlArrayBase&) = delete;

    const std::string& Name() const { return name_; }
    Form& Parent() const;
    void Touch() const;

    // Toolkit side: a new load of the form starts without elements.
    virtual void RemoveAllElements() = 0;

protected:
    bool Loading() const;
    bool Live() const;
    static void CreateWindowsOf(Control& control);
    static void CopyDesign(Control& to, const Control& from);
    [[noreturn]] void Fail(const std::string& what, int index) const;

    Container* container_;
    std::string name_;
};

template <class T>
class ControlArray : public ControlArrayBase {
    static_assert(std::is_base_of_v<Control, T>, "a control array holds controls");

public:
    ControlArray(ContainerRef container, std::string name) : ControlArrayBase(container, std::move(name)) {}
    ~ControlArray() override { elements_.clear(); }

    T& operator()(int index) {
        Touch();
        auto it = elements_.find(index);
        if (it == elements_.end()) Fail("does not exist", index);
        return *it->second;
    }
    bool Exists(int index) const {
        Touch();
        return elements_.count(index) != 0;
    }

    void Load(int index) {
        if (!Loading()) Touch();
        if (index < 0 || elements_.count(index)) Fail(index < 0 ? "cannot have a negative index" : "is already loaded", index);
        auto element = std::make_unique<T>(ContainerRef(*container_), name_, index);
        T& e = *element;
        if (Loading()) {
            designIndices_.push_back(index);
        } else if (!elements_.empty()) {
            CopyDesign(e, *elements_.begin()->second);
            if constexpr (std::is_base_of_v<VisualControl, T>) e.Visible = false;
        }
        Wire(e, index);
        elements_[index] = std::move(element);
        if (Live()) CreateWindowsOf(e);
    }

    void Unload(int index) {
        Touch();
        if (!elements_.count(index)) Fail("does not exist", index);
        for (int d : designIndices_)
            if (d == index) Fail("was created at design time and cannot be unloaded", index);
        if (elements_[index]->InEvent()) Fail("cannot be unloaded while one of its events runs", index);
        elements_.erase(index);
    }

    int Count() const {
        Touch();
        return static_cast<int>(elements_.size());
    }
    int LBound() const {
        Touch();
        return elements_.empty() ? 0 : elements_.begin()->first;
    }
    int UBound() const {
        Touch();
        return elements_.empty() ? -1 : elements_.rbegin()->first;
    }
    std::vector<int> Indices() const {
        Touch();
        std::vector<int> out;
        for (auto& [i, e] : elements_) out.push_back(i);
        return out;
    }

    void RemoveAllElements() override {
        elements_.clear();
        designIndices_.clear();
    }

    // The events of every element, with the element's Index first.
    Event<int> Click;
    Event<int> DblClick;
    Event<int, int, int, int, int> MouseDown;
    Event<int, int, int, int, int> MouseMove;
    Event<int, int, int, int, int> MouseUp;
    Event<int, int&, int> KeyDown;
    Event<int, int&, int> KeyUp;
    Event<int> GotFocus;
    Event<int> LostFocus;
    Event<int> Change;
    Event<int> Tick;

private:
    void Wire(T& e, int i) {
        if constexpr (requires(T& t) { t.Click; }) e.Click = [this, i] { Click(i); };
        if constexpr (requires(T& t) { t.DblClick; }) e.DblClick = [this, i] { DblClick(i); };
        if constexpr (requires(T& t) { t.MouseDown; }) {
            e.MouseDown = [this, i](int b, int s, int x, int y) { MouseDown(i, b, s, x, y); };
            e.MouseMove = [this, i](int b, int s, int x, int y) { MouseMove(i, b, s, x, y); };
            e.MouseUp = [this, i](int b, int s, int x, int y) { MouseUp(i, b, s, x, y); };
        }
        if constexpr (requires(T& t) { t.KeyDown; }) {
            e.KeyDown = [this, i](int& k, int s) { KeyDown(i, k, s); };
            e.KeyUp = [this, i](int& k, int s) { KeyUp(i, k, s); };
            e.GotFocus = [this, i] { GotFocus(i); };
            e.LostFocus = [this, i] { LostFocus(i); };
        }
        if constexpr (requires(T& t) { t.Change; }) e.Change = [this, i] { Change(i); };
        if constexpr (requires(T& t) { t.Tick; }) e.Tick = [this, i] { Tick(i); };
    }

    std::map<int, std::unique_ptr<T>> elements_;
    std::vector<int> designIndices_;
};

}  // namespace platform::forms
