// The document's modified flag. Every change of the page raises it, so raising it is also where the
// change reaches the page history: whatever path changes the page, the history hears of it.
#pragma once

#include <functional>
#include <utility>

class TModifiedFlag
{
public:
    explicit TModifiedFlag(std::function<void()> raised) : m_raised(std::move(raised)) {}

    operator bool() const { return m_value; }
    // True reports a change of the page, also when the flag was up already.
    TModifiedFlag& operator=(bool value)
    {
        m_value = value;
        if (value)
            m_raised();
        return *this;
    }
    // Sets the flag without reporting a change: the history knows the state already (undo, redo, save),
    // or hears of it later (text still in the day cell editor).
    void Follow(bool value) { m_value = value; }

private:
    std::function<void()> m_raised;
    bool m_value = false;
};
