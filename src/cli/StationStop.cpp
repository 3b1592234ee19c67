#include "cli/StationStop.h"

#include "link/SerialLink.h"

void StationStop::Stop() {
    std::lock_guard lock(lock_);
    requested_ = true;
    for (SerialLink* link : links_) {
        link->Retire();
        link->Close();
    }
}

bool StationStop::Requested() const {
    std::lock_guard lock(lock_);
    return requested_;
}

StationStop::Watch::Watch(StationStop* stop, SerialLink& link) : stop_(stop), link_(link) {
    if (!stop_)
        return;
    std::lock_guard lock(stop_->lock_);
    stop_->links_.insert(&link_);
    if (stop_->requested_)
        link_.Retire();
}

StationStop::Watch::~Watch() {
    if (!stop_)
        return;
    std::lock_guard lock(stop_->lock_);
    stop_->links_.erase(&link_);
}
