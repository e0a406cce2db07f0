#pragma once
// Message methods: each class lists the messages it handles and the member that handles each, and
// Dispatch finds the handler of the most derived class that has one, or calls DefaultHandler.
//
//   // TMyPanel.h
//   class TMyPanel : public TCustomControl {
//     TAVREN_CLASS(TMyPanel, TCustomControl)
//     TAVREN_MESSAGES()
//     void WMSize(TMessage& Message);
//     void CMFontChanged(TMessage& Message);
//   };
//   // TMyPanel.cpp
//   TAVREN_MESSAGE_TABLE(TMyPanel,
//       MESSAGE_HANDLER(WM_SIZE, WMSize),
//       MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChanged))
//
// A handler passes the message on to its ancestors' handler (or DefaultHandler) with
// `InheritedMessage(Message)`, the framework's `inherited` inside a message method.

#include <initializer_list>
#include <vector>

#include "rtl/Events.h"
#include "rtl/Object.h"
#include "vcl/ControlsMessages.h"

using TMessageThunk = void (*)(TObject* Self, TMessage& Message);

struct TMessageEntry {
  UINT Msg;
  TMessageThunk Handler;
};

struct TMessageTable {
  const TMessageTable* Parent;
  std::vector<TMessageEntry> Entries;

  // The handler for Msg in this table or its ancestors'; nullptr when none handles it.
  TMessageThunk Find(UINT Msg) const;
};

// C is a parameter of its own for the linkage reason given at event_detail::Thunk.
template <class C, auto M>
void MessageThunk(TObject* Self, TMessage& Message) {
  (static_cast<C*>(Self)->*M)(Message);
}

#define TAVREN_MESSAGES()                                                             \
 public:                                                                              \
  static const TMessageTable* MessageTable();                                         \
  const TMessageTable* GetMessageTable() const override { return MessageTable(); }    \
                                                                                      \
 protected:                                                                           \
  void InheritedMessage(TMessage& Message) { DispatchFrom(inherited::MessageTable(), Message); } \
                                                                                      \
 private:

#define TAVREN_MESSAGE_TABLE(C, ...)                                                  \
  const TMessageTable* C::MessageTable() {                                            \
    using Self [[maybe_unused]] = C;                                                  \
    static const TMessageTable table{C::inherited::MessageTable(), {__VA_ARGS__}};    \
    return &table;                                                                    \
  }

// The table of the class where message methods begin (TControl): no ancestor's table.
#define TAVREN_MESSAGE_TABLE_ROOT(C, ...)                                             \
  const TMessageTable* C::MessageTable() {                                            \
    using Self [[maybe_unused]] = C;                                                  \
    static const TMessageTable table{nullptr, {__VA_ARGS__}};                         \
    return &table;                                                                    \
  }

#define MESSAGE_HANDLER(Msg, Method) \
  TMessageEntry{Msg, &MessageThunk<typename event_detail::MethodTraits<decltype(&Self::Method)>::Class, &Self::Method>}
