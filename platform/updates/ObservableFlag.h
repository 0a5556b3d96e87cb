#pragma once

#include "core/ports/UpdateFramework.h"

#include <QMap>

#include <functional>
#include <memory>

// A Boolean that calls its observers after every change, until their tokens are destroyed.
// A token may outlive the flag. Main thread only.
class ObservableFlag
{
public:
    ObservableFlag() = default;
    ObservableFlag(const ObservableFlag&) = delete;
    ObservableFlag& operator=(const ObservableFlag&) = delete;
    ~ObservableFlag() { *m_alive = false; }

    bool value() const { return m_value; }

    void set(bool value)
    {
        if (m_value == value)
            return;
        m_value = value;
        // A handler may end its own observation.
        const auto observers = m_observers;
        for (const auto& handler : observers)
            handler();
    }

    // Runs the handler once at once and again after every change.
    std::unique_ptr<UpdateObservation> observe(std::function<void()> handler)
    {
        const int id = ++m_lastId;
        m_observers.insert(id, handler);
        handler();
        return std::make_unique<Token>(*this, id);
    }

private:
    struct Token : UpdateObservation
    {
        Token(ObservableFlag& flag, int id) : flag(flag), alive(flag.m_alive), id(id) {}
        ~Token() override
        {
            if (*alive)
                flag.m_observers.remove(id);
        }
        ObservableFlag& flag;
        std::shared_ptr<bool> alive;
        int id;
    };

    bool m_value = false;
    QMap<int, std::function<void()>> m_observers;
    int m_lastId = 0;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
