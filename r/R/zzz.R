# The likelihood fit keeps the shapes of the law it solves for later sessions (a first fit can take
# seconds, later ones read them): in R's own folder for a package's caches, unless the environment
# names another folder, or "off", in CORVANE_SHAPE_CACHE (as for the program).
.onLoad <- function(libname, pkgname) {
  if (is.na(Sys.getenv("CORVANE_SHAPE_CACHE", unset = NA)))
    Sys.setenv(CORVANE_SHAPE_CACHE = file.path(tools::R_user_dir("corvane", "cache"), "shapes"))
}
