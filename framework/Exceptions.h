#pragma once
// Failures are exceptions derived from Exception; its message is an ANSI byte string
// shown as it stands by the application's exception display.
#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : Message(std::move(message)) {}
    const char* what() const noexcept override { return Message.c_str(); }
    std::string Message;
};

#define KV_EXCEPTION(Name)                                                                         \
    class Name : public Exception {                                                                \
    public:                                                                                        \
        using Exception::Exception;                                                                \
    }

KV_EXCEPTION(EOutOfResources);
KV_EXCEPTION(EListError);
KV_EXCEPTION(EConvertError);
KV_EXCEPTION(EStreamError);
KV_EXCEPTION(EInvalidOperation);
#undef KV_EXCEPTION

class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

// The message texts of the framework's errors.
namespace Texts {
inline constexpr const char* FOpenError = "ファイル %s は開けません";
inline constexpr const char* FCreateError = "ファイル %s を作成できません";
inline constexpr const char* ReadError = "ストリームからの読み込みに失敗しました";
inline constexpr const char* WriteError = "ストリームへの書き込みに失敗しました";
inline constexpr const char* NoTimers = "タイマーを取得できません";
inline constexpr const char* ListIndexError = "リストのインデックスが範囲を超えています (%d)";
inline constexpr const char* InsertLineError = "行を挿入できません";
inline constexpr const char* AssignError = "%s を %s に代入することはできません";
} // namespace Texts

// printf-style formatting into a byte string (only %s and %d are used by the texts).
std::string Format(const char* fmt, const std::string& arg);
std::string Format(const char* fmt, int arg);
std::string Format(const char* fmt, const std::string& a, const std::string& b);
