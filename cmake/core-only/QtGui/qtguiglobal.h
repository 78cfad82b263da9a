// Found only by tamsel_core: every Qt Gui header includes this one first.
#error "A Qt Core only file includes a Qt Gui header; list it as a ui file of its folder."
