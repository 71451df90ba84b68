# The layers of the shared code, lowest first. Each folder below src/ is one
# static library; its entry names the folders its code may include, and its
# library links exactly those. A folder never reaches a layer above it, so
# the libraries form no loop. The include check (cmake/checklayers.cmake, a
# CTest) reads this table too.
set(ZVK_LAYERS common environment pages sound users vocabulary verbs lab dictionary startup superlearning trainer editor)

set(ZVK_USES_common "")
set(ZVK_USES_environment common)
set(ZVK_USES_pages common)
set(ZVK_USES_sound pages environment common)
set(ZVK_USES_users pages environment common)
set(ZVK_USES_vocabulary users sound pages environment common)
set(ZVK_USES_verbs vocabulary users sound pages environment common)
set(ZVK_USES_lab vocabulary users sound pages environment common)
set(ZVK_USES_dictionary vocabulary users sound pages environment common)
set(ZVK_USES_startup dictionary vocabulary users sound pages environment common)
set(ZVK_USES_superlearning dictionary vocabulary users sound pages environment common)
set(ZVK_USES_trainer superlearning startup lab verbs dictionary vocabulary users sound pages environment common)
set(ZVK_USES_editor startup dictionary vocabulary users sound pages environment common)
