SELECT 'open;
/* open