// The reference counting every stand-in object shares: created with one reference, gone
// when the last one is released.
#pragma once

#include "platform/unknwn.h"

template <typename Interface>
class CountedObject : public Interface {
public:
    DWORD AddRef() override { return ++references_; }
    DWORD Release() override {
        const DWORD left = --references_;
        if (left == 0) delete this;
        return left;
    }

protected:
    ~CountedObject() override = default;

private:
    DWORD references_ = 1;
};
