#pragma once

#include "demo/simulated_router.h"
#include "http/http_reply.h"

// The size of the JunkBytes fault's reply.
constexpr int kJunkSize = 64 * 1024;
// How many links the ManyLinks page holds, and how deep DeepNesting nests.
constexpr int kManyLinks = 100000;
constexpr int kNestingDepth = 100000;

// The reply a fault gives instead of the statistics page. seed makes the
// junk bytes repeatable; hugePageBytes is the size of the HugePage page.
HttpReply FaultReply(SimulatedRouter::Fault fault, quint32 seed, quint64 hugePageBytes);
