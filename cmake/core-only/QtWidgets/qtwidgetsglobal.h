// Found only by tamsel_core: every Qt Widgets header includes this one first.
#error "A Qt Core only file includes a widget header; list it as a ui file of its folder."
