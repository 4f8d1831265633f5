// Placeholder translation unit until the model sources land; removed with them.
