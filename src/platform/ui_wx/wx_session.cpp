// Starting and ending the toolkit around the program. The toolkit does not
// own the main loop: an event loop is made active here and pumped by the
// backend whenever the program waits in accept().
#include <stdexcept>

#include <dlfcn.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/image.h>
#include <wx/init.h>

#include "platform/ui_wx/wx_backend.h"
#include "platform/ui_wx/wx_backend_impl.h"

namespace {

class VlApp final : public wxApp {
 public:
  bool OnInit() override { return true; }
};

// The descriptions place controls as tightly as their home platform draws
// them; GTK's default padding would make entries and buttons overflow.
constexpr const char* kCompactStyle =
    "entry { min-height: 0; padding-top: 0; padding-bottom: 0; }"
    "button { min-height: 0; min-width: 0; padding: 1px 4px; }"
    "checkbutton, radiobutton { min-height: 0; padding-top: 0; padding-bottom: 0; }";

// GTK itself is already loaded by the toolkit; its style calls are looked up
// there (this machine carries GTK's run-time library, not its headers).
template <class F>
F gtkCall(const char* name) {
  return reinterpret_cast<F>(dlsym(RTLD_DEFAULT, name));
}

void compactWidgets() {
  auto newProvider = gtkCall<void* (*)()>("gtk_css_provider_new");
  auto load = gtkCall<int (*)(void*, const char*, long, void**)>("gtk_css_provider_load_from_data");
  auto screen = gtkCall<void* (*)()>("gdk_screen_get_default");
  auto add = gtkCall<void (*)(void*, void*, unsigned)>("gtk_style_context_add_provider_for_screen");
  auto unref = gtkCall<void (*)(void*)>("g_object_unref");
  if (!newProvider || !load || !screen || !add || !unref || !screen()) return;
  constexpr unsigned kApplicationPriority = 600;  // GTK_STYLE_PROVIDER_PRIORITY_APPLICATION
  void* css = newProvider();
  load(css, kCompactStyle, -1, nullptr);
  add(screen(), css, kApplicationPriority);
  unref(css);
}

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(VlApp);

namespace vl::ui::wxb {

struct WxSession::Loop {
  wxGUIEventLoop loop;
  wxEventLoopActivator active{&loop};
};

WxSession::WxSession(int& argc, char** argv) {
  if (!wxEntryStart(argc, argv) || !wxTheApp || !wxTheApp->CallOnInit()) {
    throw std::runtime_error("the window system cannot be started (is DISPLAY set?)");
  }
  wxInitAllImageHandlers();
  compactWidgets();
  loop_ = std::make_unique<Loop>();
  backend_ = std::make_unique<WxBackend>();
  setActiveBackend(backend_.get());
  setBackend(backend_.get());
  setMessageBoxHandler(backend_.get());
}

WxSession::~WxSession() {
  setMessageBoxHandler(nullptr);
  setBackend(nullptr);
  setActiveBackend(nullptr);
  backend_.reset();
  if (wxTheApp) wxTheApp->ProcessIdle();  // lets closed frames go
  loop_.reset();
  if (wxTheApp) wxTheApp->OnExit();
  wxEntryCleanup();
}

}  // namespace vl::ui::wxb
