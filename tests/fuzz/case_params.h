// The parameter values of one case: every parameter of the component absent, kept at its
// default, or given a value (in range, at a bound, beyond one, NaN, an infinity, huge, any
// bits), keys at several times, another answer to QueryState, or a value of the wrong type.
#pragma once

#include "fuzz_bytes.h"
#include "testhost/host.h"

// A render's parameter time: a key time, between two, or NaN, infinite, huge or any bits.
double decodeTime(FuzzBytes& in);

void decodeParams(FuzzBytes& in, const testhost::Records& records, testhost::ParamStore& params);
