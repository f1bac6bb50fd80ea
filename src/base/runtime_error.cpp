#include "base/runtime_error.hpp"

#include <utility>

namespace quimbel::base {

RuntimeError::RuntimeError(int number, std::string source, std::string description,
                           std::string helpFile, int helpContext)
    : number_(number),
      source_(std::move(source)),
      description_(std::move(description)),
      helpFile_(std::move(helpFile)),
      helpContext_(helpContext) {}

RuntimeError RuntimeError::Overflow() {
  return RuntimeError(kOverflow, kErrorSource, "オーバーフローしました。");
}

RuntimeError RuntimeError::TypeMismatch() {
  return RuntimeError(kTypeMismatch, kErrorSource, "型が一致しません。");
}

RuntimeError RuntimeError::SubscriptOutOfRange() {
  return RuntimeError(kSubscriptOutOfRange, kErrorSource, "インデックスが有効範囲にありません。");
}

RuntimeError RuntimeError::InvalidCall() {
  return RuntimeError(kInvalidCall, kErrorSource, "プロシージャの呼び出し、または引数が不正です。");
}

RuntimeError RuntimeError::StoreFailure(const std::string& detail) {
  return RuntimeError(kStoreFailure, kErrorSource,
                      "設定を保存できませんでした。" + (detail.empty() ? "" : " (" + detail + ")"));
}

RuntimeError RuntimeError::OutOfMemory() {
  return RuntimeError(kOutOfMemory, kErrorSource, "メモリが不足しています。");
}

RuntimeError RuntimeError::Internal(const std::string& detail) {
  return RuntimeError(kInternal, kErrorSource,
                      "内部エラーです。" + (detail.empty() ? "" : " (" + detail + ")"));
}

}  // namespace quimbel::base
