namespace quorvandel {}
