# The harnesses (fuzz/<name>.cpp, corpus in fuzz/corpus/<name>/) and the libraries each needs.
# Read by the fuzz build (fuzz/CMakeLists.txt) and by the corpus replay of the tests.
# (One line: scripts/fuzz reads it.)
set(FERROW_FUZZ_HARNESSES settings_file filter_expression export_lines picture_list zip_archive gzip_list workbook_writer)
set(FERROW_FUZZ_LIBS_settings_file catalog_app)
set(FERROW_FUZZ_LIBS_filter_expression catalog_data)
set(FERROW_FUZZ_LIBS_export_lines catalog_data)
set(FERROW_FUZZ_LIBS_picture_list catalog_exchange)
set(FERROW_FUZZ_LIBS_zip_archive catalog_exchange)
set(FERROW_FUZZ_LIBS_gzip_list catalog_exchange)
set(FERROW_FUZZ_LIBS_workbook_writer catalog_xls)
