// Window-side test helpers (the fake browser view and the like) live beside
// this file in linewarden_test_support_gui.
