#pragma once
// The framework's exception hierarchy. Every failure of the system is an Exception carrying a
// Message; EAbort is the silent one that message loops swallow.

#include <exception>

#include "rtl/Types.h"

class Exception : public std::exception {
 public:
  explicit Exception(String message) : FMessage(std::move(message)) {}

  const String& Message() const noexcept { return FMessage; }
  void SetMessage(String message) { FMessage = std::move(message); }
  Integer HelpContext() const noexcept { return FHelpContext; }
  void SetHelpContext(Integer context) noexcept { FHelpContext = context; }

  // The class name the framework reports for this exception ("EConvertError").
  virtual const char* ClassName() const noexcept { return "Exception"; }
  const char* what() const noexcept override { return FMessage.c_str(); }

 private:
  String FMessage;
  Integer FHelpContext = 0;
};

#define TAVREN_DECLARE_EXCEPTION(Name, Base)                               \
  class Name : public Base {                                               \
   public:                                                                 \
    using Base::Base;                                                      \
    const char* ClassName() const noexcept override { return #Name; }      \
  }

TAVREN_DECLARE_EXCEPTION(EAbort, Exception);
TAVREN_DECLARE_EXCEPTION(EConvertError, Exception);
TAVREN_DECLARE_EXCEPTION(EListError, Exception);
TAVREN_DECLARE_EXCEPTION(EStringListError, Exception);
TAVREN_DECLARE_EXCEPTION(EStreamError, Exception);
TAVREN_DECLARE_EXCEPTION(EFilerError, EStreamError);
TAVREN_DECLARE_EXCEPTION(EReadError, EFilerError);
TAVREN_DECLARE_EXCEPTION(EWriteError, EFilerError);
TAVREN_DECLARE_EXCEPTION(EClassNotFound, EFilerError);
TAVREN_DECLARE_EXCEPTION(EFOpenError, EStreamError);
TAVREN_DECLARE_EXCEPTION(EFCreateError, EStreamError);
TAVREN_DECLARE_EXCEPTION(EResNotFound, Exception);
TAVREN_DECLARE_EXCEPTION(EInvalidCast, Exception);
TAVREN_DECLARE_EXCEPTION(EInvalidOperation, Exception);
TAVREN_DECLARE_EXCEPTION(EInvalidPointer, Exception);
TAVREN_DECLARE_EXCEPTION(EOutOfResources, Exception);
TAVREN_DECLARE_EXCEPTION(EVariantError, Exception);
TAVREN_DECLARE_EXCEPTION(EAssertionFailed, Exception);
TAVREN_DECLARE_EXCEPTION(EOSError, Exception);
TAVREN_DECLARE_EXCEPTION(EIniFileException, Exception);
TAVREN_DECLARE_EXCEPTION(ERegistryException, Exception);
TAVREN_DECLARE_EXCEPTION(EComponentError, Exception);
TAVREN_DECLARE_EXCEPTION(EExternalException, Exception);

// Raises EAbort: ends the current operation without a message.
[[noreturn]] void Abort();
