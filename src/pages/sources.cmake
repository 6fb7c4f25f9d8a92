# Sources of src/pages, added to the core library.
target_sources(lumora_core PRIVATE

)
