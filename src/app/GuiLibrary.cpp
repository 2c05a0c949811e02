// The widget library of the desktop program; its sources join as the window is built.
namespace kavro_gui_placeholder {}
