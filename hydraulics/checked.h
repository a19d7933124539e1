// SPDX-License-Identifier: GPL-3.0-or-later
// Checked floating-point operations.
//
// Each expression of the engine is evaluated in double precision from stored
// single-precision operands and rounded to single precision when stored. The
// faults that the hardware would only flag are tested here, at the operation,
// and raised as CalcError; no trap, signal or global floating-point state is
// involved.
#pragma once

#include "hydraulics/errors.h"

#include <cmath>
#include <limits>

namespace hydraulics::checked {

// Rounds a double-precision result to single precision for storing.
// A value whose rounding leaves the single range is an overflow.
inline float Store(double value) {
    if (std::isnan(value))
        throw CalcError(ErrorKind::InvalidOperation, {});
    const float stored = static_cast<float>(value);
    if (std::isinf(stored))
        throw CalcError(ErrorKind::Overflow, {});
    return stored;
}

// a / b; 0/0 is an invalid operation, any other x/0 a division by zero.
inline double Div(double a, double b) {
    if (b == 0.0)
        throw CalcError(a == 0.0 ? ErrorKind::InvalidOperation : ErrorKind::DivisionByZero, {});
    const double q = a / b;
    if (std::isinf(q))
        throw CalcError(ErrorKind::Overflow, {});
    return q;
}

// base raised to `exponent` with the general power function. A fractional
// power of a negative number is an invalid argument; zero to a negative
// power a division by zero.
inline double Pow(double base, double exponent) {
    if (base < 0.0 && exponent != std::floor(exponent))
        throw CalcError(ErrorKind::InvalidArgument, {});
    if (base == 0.0 && exponent < 0.0)
        throw CalcError(ErrorKind::DivisionByZero, {});
    const double p = std::pow(base, exponent);
    if (std::isinf(p))
        throw CalcError(ErrorKind::Overflow, {});
    return p;
}

inline double Sqrt(double value) {
    if (value < 0.0)
        throw CalcError(ErrorKind::InvalidArgument, {});
    return std::sqrt(value);
}

} // namespace hydraulics::checked
