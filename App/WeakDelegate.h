#pragma once

#include <QObject>
#include <QPointer>

// A weak reference to a delegate, as the controls hold theirs: a delegate that is a QObject and
// has been destroyed reads as null; one that is not a QObject is the owner's to keep alive.
template <typename Delegate>
class WeakDelegate {
public:
    WeakDelegate() = default;
    explicit WeakDelegate(Delegate* delegate) { reset(delegate); }

    void reset(Delegate* delegate) {
        m_delegate = delegate;
        m_object = dynamic_cast<QObject*>(delegate);
        m_isObject = !m_object.isNull();
    }
    Delegate* get() const { return (m_isObject && m_object.isNull()) ? nullptr : m_delegate; }

private:
    Delegate* m_delegate = nullptr;
    QPointer<QObject> m_object;
    bool m_isObject = false;
};
