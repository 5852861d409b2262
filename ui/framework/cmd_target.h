// CCmdTarget and message maps: static tables that bind a window message, or a
// control's notification, to a member handler. A backend hands every message
// it receives to OnWndMsg, which searches the object's map, then its bases'.
#pragma once

#include <iterator>
#include <span>

#include "ui/framework/afx_types.h"

class CCmdTarget;

// Calls one handler on `target`; the thunk knows the handler's class and
// signature. The result is the message's result (e.g. the drag icon).
using AfxHandlerThunk = INT_PTR (*)(CCmdTarget& target, WPARAM wParam, INT_PTR lParam);

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;  // WM_COMMAND, WM_SYSCOMMAND, WM_PAINT, ...
  UINT nCode;     // for WM_COMMAND: the notification code (BN_CLICKED)
  UINT nID;       // for WM_COMMAND: the control or command id
  AfxHandlerThunk pfn;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* pBaseMap;
  std::span<const AFX_MSGMAP_ENTRY> entries;
};

// The message being handled, so a handler can leave it to the default
// processing (CWnd::Default).
struct AFX_MSG {
  UINT message = 0;
  WPARAM wParam = 0;
  INT_PTR lParam = 0;
};

class CCmdTarget {
 public:
  CCmdTarget() = default;
  virtual ~CCmdTarget() = default;
  CCmdTarget(const CCmdTarget&) = delete;
  CCmdTarget& operator=(const CCmdTarget&) = delete;

  // Looks the message up in the message maps, most derived first, and calls
  // the first handler that matches. For WM_COMMAND, LOWORD(wParam) is the
  // id and HIWORD(wParam) the notification code. Returns TRUE and sets
  // *pResult when a handler ran; FALSE when the message is not mapped.
  BOOL OnWndMsg(UINT message, WPARAM wParam, INT_PTR lParam, INT_PTR* pResult);

 protected:
  virtual const AFX_MSGMAP* GetMessageMap() const;
  static const AFX_MSGMAP* GetThisMessageMap();

  // The message OnWndMsg is dispatching (the innermost one when nested).
  AFX_MSG m_currentMsg;
};

namespace afx_detail {

template <typename T>
struct MemberOf;
template <typename C, typename R, typename... A>
struct MemberOf<R (C::*)(A...)> {
  using Class = C;
};

template <auto Handler>
using HandlerClass = typename MemberOf<decltype(Handler)>::Class;

template <auto Handler>
INT_PTR CallVoid(CCmdTarget& target, WPARAM, INT_PTR) {
  (static_cast<HandlerClass<Handler>&>(target).*Handler)();
  return 0;
}

template <auto Handler>
INT_PTR CallSysCommand(CCmdTarget& target, WPARAM wParam, INT_PTR lParam) {
  (static_cast<HandlerClass<Handler>&>(target).*Handler)(static_cast<UINT>(wParam), lParam);
  return 0;
}

template <auto Handler>
INT_PTR CallQueryDragIcon(CCmdTarget& target, WPARAM, INT_PTR) {
  return reinterpret_cast<INT_PTR>((static_cast<HandlerClass<Handler>&>(target).*Handler)());
}

}  // namespace afx_detail

#define afx_msg

#define DECLARE_MESSAGE_MAP()                   \
 protected:                                     \
  static const AFX_MSGMAP* GetThisMessageMap(); \
  const AFX_MSGMAP* GetMessageMap() const override;

// The entries are a function-local static table; the last, empty entry only
// ends the initializer list and is left out of the map.
#define BEGIN_MESSAGE_MAP(theClass, baseClass)        \
  const AFX_MSGMAP* theClass::GetMessageMap() const { \
    return GetThisMessageMap();                       \
  }                                                   \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {   \
    using ThisClass [[maybe_unused]] = theClass;      \
    using TheBaseClass = baseClass;                   \
    static const AFX_MSGMAP_ENTRY entries[] = {
#define END_MESSAGE_MAP()                                                     \
  { 0, 0, 0, nullptr }                                                        \
  }                                                                           \
  ;                                                                           \
  static const AFX_MSGMAP map = {TheBaseClass::GetThisMessageMap(),           \
                                 std::span(entries, std::size(entries) - 1)}; \
  return &map;                                                                \
  }

#define ON_COMMAND(id, memberFxn) {WM_COMMAND, BN_CLICKED, (id), &afx_detail::CallVoid<memberFxn>},
#define ON_BN_CLICKED(id, memberFxn) \
  {WM_COMMAND, BN_CLICKED, (id), &afx_detail::CallVoid<memberFxn>},
// A double click on a line of a list box with LBS_NOTIFY.
#define ON_LBN_DBLCLK(id, memberFxn) \
  {WM_COMMAND, LBN_DBLCLK, (id), &afx_detail::CallVoid<memberFxn>},
#define ON_WM_PAINT() {WM_PAINT, 0, 0, &afx_detail::CallVoid<&ThisClass::OnPaint>},
#define ON_WM_SYSCOMMAND() \
  {WM_SYSCOMMAND, 0, 0, &afx_detail::CallSysCommand<&ThisClass::OnSysCommand>},
#define ON_WM_QUERYDRAGICON() \
  {WM_QUERYDRAGICON, 0, 0, &afx_detail::CallQueryDragIcon<&ThisClass::OnQueryDragIcon>},
