#pragma once

namespace zorvane {

// Sounds the system's default beep.
class BeepService {
public:
    virtual ~BeepService() = default;
    virtual void beep() = 0;
};

class QtBeepService final : public BeepService {
public:
    void beep() override;
};

} // namespace zorvane
