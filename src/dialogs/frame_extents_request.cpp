#include "dialogs/frame_extents_request.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QThread>
#include <QWidget>
#include <cstdlib>
#include <cstring>
#include <memory>

#ifdef CORVANE_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace corvane {

#ifdef CORVANE_HAVE_XCB
namespace {

// xcb replies are malloc'ed.
struct TFree {
  void operator()(void* p) const noexcept { std::free(p); }
};
template <typename T>
using TReply = std::unique_ptr<T, TFree>;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  const TReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 1, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// Up to `count` 32-bit values of a CARDINAL or ATOM property; empty when it is absent.
TReply<xcb_get_property_reply_t> Property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name,
                                          xcb_atom_t type, uint32_t count) {
  return TReply<xcb_get_property_reply_t>(xcb_get_property_reply(
      connection, xcb_get_property(connection, 0, window, name, type, 0, count), nullptr));
}

bool ManagerAnswersRequests(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t request) {
  const auto supported = Property(connection, root, Atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 1024);
  if (!supported || supported->format != 32)
    return false;
  const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(supported.get()));
  const int count = xcb_get_property_value_length(supported.get()) / 4;
  for (int i = 0; i < count; ++i) {
    if (atoms[i] == request)
      return true;
  }
  return false;
}

}  // namespace

QMargins RequestFrameExtents(QWidget& window) {
  if (QGuiApplication::platformName() != QLatin1String("xcb"))
    return {};
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11)
    return {};
  xcb_connection_t* connection = x11->connection();  // none on the offscreen platform
  if (!connection)
    return {};
  const xcb_window_t id = static_cast<xcb_window_t>(window.winId());
  const xcb_setup_t* setup = xcb_get_setup(connection);
  const xcb_window_t root = xcb_setup_roots_iterator(setup).data->root;
  const xcb_atom_t request = Atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
  const xcb_atom_t extents = Atom(connection, "_NET_FRAME_EXTENTS");
  if (request == XCB_ATOM_NONE || extents == XCB_ATOM_NONE ||
      !ManagerAnswersRequests(connection, root, request))
    return {};

  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = id;
  message.type = request;
  xcb_send_event(connection, 0, root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                 reinterpret_cast<const char*>(&message));
  xcb_flush(connection);

  // The manager answers by setting the property; a short wait bounds a manager that never does.
  const QDeadlineTimer deadline(200);
  do {
    const auto reply = Property(connection, id, extents, XCB_ATOM_CARDINAL, 4);
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply.get()) == 16) {
      const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
      // The property runs left, right, top, bottom.
      return QMargins(static_cast<int>(v[0]), static_cast<int>(v[2]), static_cast<int>(v[1]),
                      static_cast<int>(v[3]));
    }
    QThread::msleep(2);
  } while (!deadline.hasExpired());
  return {};
}

#else

QMargins RequestFrameExtents(QWidget&) {
  return {};
}

#endif

}  // namespace corvane
