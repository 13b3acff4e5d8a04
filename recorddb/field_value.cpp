#include "recorddb/field_value.h"

#include <cmath>
#include <limits>

namespace recorddb {

bool isNumericKind(ValueKind kind) {
  switch (kind) {
    case ValueKind::Byte:
    case ValueKind::Short:
    case ValueKind::Integer:
    case ValueKind::Long:
    case ValueKind::Single:
    case ValueKind::Double:
      return true;
    default:
      return false;
  }
}

std::int64_t FieldValue::asInteger() const {
  switch (kind_) {
    case ValueKind::Single:
    case ValueKind::Double:
    case ValueKind::DateTime: {
      // Truncated toward zero; NaN gives 0 and values beyond the range saturate.
      if (std::isnan(real_)) return 0;
      constexpr double kLimit = 9223372036854775807.0;
      if (real_ >= kLimit) return std::numeric_limits<std::int64_t>::max();
      if (real_ <= -kLimit) return std::numeric_limits<std::int64_t>::min();
      return static_cast<std::int64_t>(real_);
    }
    default:
      return integer_;
  }
}

double FieldValue::asReal() const {
  switch (kind_) {
    case ValueKind::Single:
    case ValueKind::Double:
    case ValueKind::DateTime:
      return real_;
    default:
      return static_cast<double>(integer_);
  }
}

}  // namespace recorddb
