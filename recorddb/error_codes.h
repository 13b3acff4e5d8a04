#pragma once
// The record database's error codes and their messages. Every operation sets the calling thread's
// last error: 0 on success, else one of the negative codes below (or a platform file error
// -1..-15 of platform/file_error.h).

#include "base/text_value.h"
#include "platform/file_error.h"

namespace recorddb {

enum DbError : int {
  kDbOk = 0,
  kDbUnknown = -1,
  kDbCreateFailed = -2,
  kDbFileNotFound = -3,
  kDbBadPath = -4,
  kDbSeekFailed = -10,
  kDbSharingViolation = -12,
  kDbLockViolation = -13,
  kDbNoFields = -16,
  kDbBadFieldType = -17,
  kDbBadFieldName = -18,
  kDbBadFieldSize = -19,
  kDbDuplicateFieldName = -20,
  kDbOpenFailed = -21,
  kDbNotADatabase = -22,
  kDbVersionTooHigh = -23,
  kDbBadAlias = -24,
  kDbLockFailed = -28,
  kDbUnlockFailed = -29,
  kDbAuxReadFailed = -35,
  kDbAuxVersionMismatch = -36,
  kDbAuxDamaged = -37,
  kDbAlreadyOpen = -38,
  kDbOutOfMemory = -45,
  kDbReadFieldFailed = -46,
  kDbWriteFieldFailed = -47,
  kDbBadFileSize = -48,
  kDbAuxCreateFailed = -50,
  kDbAuxAccessFailed = -59,
  kDbNoCurrentRecord = -60,
  kDbNoSuchField = -61,
  kDbReadRecordFailed = -62,
  kDbWriteRecordFailed = -63,
  kDbCountFailed = -65,
  kDbNotOpen = -66,
  kDbNoCurrentDatabase = -67,
  kDbValueKindMismatch = -72,
  kDbPasswordRequired = -78,
  // Codes of this engine beyond the common table.
  kDbTooManyFields = -81,
  kDbRecordIdsExhausted = -82,
};

// Whether `code` is one of the platform's file failures (platform/file_error.h).
inline bool isPlatformError(int code) { return code < 0 && code >= platform::kFileEndOfFile; }

// A failure while writing: platform failures keep their code, others become `otherwise`.
inline int writeError(int result, int otherwise) { return isPlatformError(result) ? result : otherwise; }

// The message of a code: "" for 0, "未知错误" for a code outside the table.
base::TextValue errorMessage(int code);

// The calling thread's last error code, and its message.
int lastError();
void setLastError(int code);
base::TextValue lastErrorText();

}  // namespace recorddb
