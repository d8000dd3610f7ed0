// The base of every object placed on a design surface: a window-less child widget whose bounds are
// in the surface's zoomed pixels and which follows the surface's zoom.
#pragma once

#include <QWidget>

class TQBasePanel;

class TQGraphicControl : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Top READ Top WRITE SetTop)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(bool Locked READ Locked WRITE SetLocked)
    Q_PROPERTY(bool Unselectable READ Unselectable WRITE SetUnselectable)

public:
    explicit TQGraphicControl(QWidget* parent = nullptr);

    int Left() const { return x(); }
    int Top() const { return y(); }
    int Width() const { return width(); }
    int Height() const { return height(); }
    void SetLeft(int v) { move(v, y()); }
    void SetTop(int v) { move(x(), v); }
    void SetWidth(int v) { resize(v, height()); }
    void SetHeight(int v) { resize(width(), v); }

    bool Locked() const { return m_locked; }
    void SetLocked(bool v) { m_locked = v; }
    bool Unselectable() const { return m_unselectable; }
    void SetUnselectable(bool v) { m_unselectable = v; }

    float Scale() const { return m_scale; }
    // Scales the bounds by factor / Scale in one step, halves to even.
    virtual void SetScale(float factor);

    // The surface this object lies on, if any.
    TQBasePanel* Surface() const;

private:
    float m_scale = 1.0f;
    bool m_locked = false;
    bool m_unselectable = false;
};
