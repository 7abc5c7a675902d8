#pragma once

#include <QString>

namespace zorvane {

// The help window: the contents of a help file, or one of its topics by context number. Each
// request returns at once; the help window lives on by itself until the program ends.
class HelpService {
public:
    virtual ~HelpService() = default;
    virtual void showContents(const QString& helpFile) = 0;
    virtual void showTopic(const QString& helpFile, int contextNumber) = 0;
};

} // namespace zorvane
