#include "app/ModPlok.h"

namespace zorvane {

namespace {
ModPlok& block() {
    static ModPlok state;
    return state;
}
} // namespace

ModPlok& modPlok() { return block(); }

void resetModPlok() { block() = ModPlok{}; }

} // namespace zorvane
