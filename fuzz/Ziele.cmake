# The fuzz targets, shared by the libFuzzer build and the corpus replay in the
# normal build: mirbelon_fuzz(name source libraries...).
mirbelon_fuzz(ini ${MIRBELON_ROOT}/fuzz/IniFuzz.cpp platform)
mirbelon_fuzz(vario ${MIRBELON_ROOT}/fuzz/VarioFuzz.cpp text)
mirbelon_fuzz(parameter ${MIRBELON_ROOT}/fuzz/ParameterFuzz.cpp text)
mirbelon_fuzz(pfad ${MIRBELON_ROOT}/fuzz/PfadFuzz.cpp text)
mirbelon_fuzz(meldung ${MIRBELON_ROOT}/fuzz/MeldungFuzz.cpp text)
mirbelon_fuzz(datejump ${MIRBELON_ROOT}/fuzz/DateJumpFuzz.cpp archive fuzzkontext)
mirbelon_fuzz(nummernsync ${MIRBELON_ROOT}/fuzz/NummernSyncFuzz.cpp archive fuzzkontext)
